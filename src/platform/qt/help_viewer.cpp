#include "platform/qt/help_viewer.h"

#include "platform/qt/convert.h"
#include "platform/qt/fixed_frame.h"
#include "platform/qt/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

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

// Moves a rectangle no larger than the screen the least distance that brings it wholly inside.
QRect keepOnScreen(QRect rect, const QRect& screen) {
    rect.moveLeft(std::clamp(rect.left(), screen.left(), screen.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), screen.top(), screen.bottom() + 1 - rect.height()));
    return rect;
}

qint64 coveredArea(const QRect& a, const QRect& b) {
    const QRect overlap = a.intersected(b);
    return overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
}

}  // namespace

QRect helpWindowPlace(const QRect& editorFrame, QSize helpFrame, const QRect& screen) {
    helpFrame = helpFrame.boundedTo(screen.size());
    // Right of the editor first, as a reader's eye moves on, then left, below and above.
    const QRect sides[] = {
        QRect(QPoint(editorFrame.right() + 1, editorFrame.top()), helpFrame),
        QRect(QPoint(editorFrame.left() - helpFrame.width(), editorFrame.top()), helpFrame),
        QRect(QPoint(editorFrame.left(), editorFrame.bottom() + 1), helpFrame),
        QRect(QPoint(editorFrame.left(), editorFrame.top() - helpFrame.height()), helpFrame),
    };
    QRect best;
    qint64 bestCover = -1;
    for (const QRect& side : sides) {
        const QRect place = keepOnScreen(side, screen);
        const qint64 cover = coveredArea(place, editorFrame);
        if (bestCover < 0 || cover < bestCover) {
            best = place;
            bestCover = cover;
        }
    }
    return best;
}

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
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Velmora Help"),
            QStringLiteral("Cannot find topic %1 of the help file %2.").arg(context).arg(toQString(helpFile)),
            QMessageBox::Ok, m_owner);
        FixedFrame::keep(box);
        box.exec();
        return;
    }
    const bool opening = !m_window;
    if (opening) {
        m_window = new QTextBrowser;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        // The help window never keeps the program running once the main window has closed.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        m_window->setWindowTitle(QStringLiteral("Velmora Help"));
        m_window->setOpenExternalLinks(true);
        m_window->resize(560, 480);
    }
    m_window->setSource(*url);
    if (opening) placeBesideOwner();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QtHelpViewer::~QtHelpViewer() {
    delete m_window.data();
}

void QtHelpViewer::placeBesideOwner() {
    if (!m_owner || !m_owner->isVisible()) return;
    QScreen* screen = m_owner->screen();
    if (!screen) return;
    // The help window's frame is not known before it is shown; it gets the same frame as the editor.
    const QSize frame = m_owner->frameGeometry().size() - m_owner->size();
    const QRect place =
        helpWindowPlace(m_owner->frameGeometry(), m_window->size() + frame, screen->availableGeometry());
    m_window->resize(place.size() - frame);
    m_window->move(place.topLeft());
}

}  // namespace platform::qt
