#include "platform/qt/file_dialogs.h"

#include "platform/qt/convert.h"

#include <QFileDialog>
#include <QFileInfo>

namespace platform::qt {

namespace {

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
