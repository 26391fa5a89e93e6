#include "platform/qt/help_viewer.h"

#include "platform/qt/convert.h"
#include "platform/qt/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace platform::qt {

namespace {

// The page of each context number; topic 1 is the table of contents.
QString topicPage(int context) {
    switch (context) {
        case 1:
            return QStringLiteral("index.html");
        default:
            return QStringLiteral("topic%1.html").arg(context);
    }
}

}  // namespace

QStringList defaultHelpRoots() {
    const QString bin = QCoreApplication::applicationDirPath();
    return {QDir(bin).filePath(QStringLiteral("../share/velmora")), QStringLiteral(":/")};
}

std::optional<QUrl> helpTopicUrl(const std::string& helpFile, int context, const QStringList& searchRoots) {
    loadResources();
    // "Help.hlp" names the help as a whole; its pages live in a folder of the same name, in lower case.
    const QString folder = QFileInfo(toQString(helpFile)).completeBaseName().toLower();
    if (folder.isEmpty()) return std::nullopt;
    for (const QString& root : searchRoots) {
        const QString page = QDir(root).filePath(folder + QLatin1Char('/') + topicPage(context));
        if (!QFileInfo::exists(page)) continue;
        if (page.startsWith(QLatin1Char(':'))) return QUrl(QStringLiteral("qrc") + page);
        return QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath());
    }
    return std::nullopt;
}

void QtHelpViewer::showContext(const std::string& helpFile, int context) {
    const std::optional<QUrl> url = helpTopicUrl(helpFile, context, m_roots);
    if (!url) {
        QMessageBox::warning(
            m_owner, QStringLiteral("Velmora Help"),
            QStringLiteral("Cannot find topic %1 of the help file %2.").arg(context).arg(toQString(helpFile)));
        return;
    }
    if (!m_window) {
        m_window = new QTextBrowser(m_owner);
        m_window->setWindowFlag(Qt::Window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        // The help window never keeps the program running once the main window has closed.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        m_window->setWindowTitle(QStringLiteral("Velmora Help"));
        m_window->setOpenExternalLinks(true);
        m_window->resize(560, 480);
    }
    m_window->setSource(*url);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

}  // namespace platform::qt
