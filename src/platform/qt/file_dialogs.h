#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace platform::qt {

// The open and save dialogs as Qt's own file dialog, the same on every desktop.
class QtFileDialogs : public platform::FileDialogs {
public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    std::optional<std::string> runSave(const platform::FileDialogOptions& options,
                                       const std::string& fileName) override;
    std::optional<std::string> runOpen(const platform::FileDialogOptions& options,
                                       const std::string& fileName) override;

private:
    QPointer<QWidget> m_owner;
};

}  // namespace platform::qt
