#include "platform/qt/file_dialogs.h"

#include "platform/qt/convert.h"

#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QListView>
#include <QLocale>
#include <QMimeDatabase>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace platform::qt {

namespace {

// How wide the widest of the texts is, with the room an item view gives a cell around its text.
int cellWidth(const QWidget& view, const QStringList& texts) {
    const QFontMetrics metrics(view.font());
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest + 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1) +
           2 * metrics.averageCharWidth();
}

// The widest texts the size, type and date columns show for what the dialog lists: file sizes up to
// just below each unit, the picture type and folders, and a date in the system's own short format.
QList<QStringList> columnTexts() {
    const QLocale locale = QLocale::system();
    QStringList sizes;
    for (qint64 unit = 1; unit <= (qint64{1} << 40); unit *= 1024) sizes << locale.formattedDataSize(1023 * unit);
    const QMimeDatabase types;
    const QStringList kinds{types.mimeTypeForName(QStringLiteral("image/vnd.wap.wbmp")).comment(),
                            types.mimeTypeForName(QStringLiteral("inode/directory")).comment(),
                            QStringLiteral("Folder")};
    const QStringList dates{locale.toString(QDateTime(QDate(2028, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat)};
    return {sizes, kinds, dates};
}

// Qt sizes the detail view's columns for its own sample texts ("128.88 GB", "mp3Folder", an American
// date) with no room for the cell's margins, so that "196 bytes", the picture type and a date in the
// system's format were cut short. The columns get room for what they show here, the side bar for its
// places, and the dialog widens by what they lack. The splitter has its sizes only once the dialog is
// laid out for showing, so this runs as it shows, before the window system maps it at its size.
class ColumnFitter : public QObject {
public:
    explicit ColumnFitter(QFileDialog& dialog) : QObject(&dialog), m_dialog(dialog) { dialog.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Show) {
            m_dialog.removeEventFilter(this);
            fit();
        }
        return false;
    }

private:
    void fit() {
        auto* view = m_dialog.findChild<QTreeView*>();
        auto* splitter = m_dialog.findChild<QSplitter*>();
        if (!view || !splitter || splitter->count() != 2) return;
        QHeaderView* header = view->header();
        const QList<QStringList> texts = columnTexts();
        for (int column = 1; column <= texts.size() && column < header->count(); ++column)
            header->resizeSection(column, std::max(header->sectionSize(column), cellWidth(*view, texts[column - 1])));
        const int frame = 2 * view->frameWidth();
        const int files = header->length() + frame + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        auto* places = qobject_cast<QListView*>(splitter->widget(0));
        const int sideBar =
            places ? std::min(places->sizeHintForColumn(0) + frame, 32 * places->fontMetrics().averageCharWidth()) : 0;
        const QList<int> sizes = splitter->sizes();
        const int wanted = std::max(0, sideBar - sizes[0]) + std::max(0, files - sizes[1]);
        int width = m_dialog.width() + wanted;
        if (const QScreen* screen = m_dialog.screen())
            width = std::min(width, screen->availableGeometry().width() * 9 / 10);
        const int grown = width - m_dialog.width();
        m_dialog.resize(width, m_dialog.height());
        splitter->setSizes({std::max(sizes[0], sideBar), sizes[0] + sizes[1] + grown - std::max(sizes[0], sideBar)});
    }

    QFileDialog& m_dialog;
};

std::optional<std::string> run(QWidget* owner, const platform::FileDialogOptions& options, const std::string& fileName,
                               QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    // Neither dialog insists that the file exists: the open dialog returns a typed name of a
    // missing file, and Open then reports that it cannot open it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(toQtFilter(options.filter));
    // The program appends ".wbmp" itself by its own rule; a default suffix would double it.
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!fileName.empty()) {
        const QFileInfo remembered(toQString(fileName));
        if (remembered.isAbsolute()) dialog.setDirectory(remembered.absolutePath());
        dialog.selectFile(remembered.fileName());
    }
    if (options.enableSizing) dialog.setSizeGripEnabled(true);
    new ColumnFitter(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::runSave(const platform::FileDialogOptions& options,
                                                  const std::string& fileName) {
    return run(m_owner, options, fileName, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogs::runOpen(const platform::FileDialogOptions& options,
                                                  const std::string& fileName) {
    return run(m_owner, options, fileName, QFileDialog::AcceptOpen);
}

}  // namespace platform::qt
