#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace platform::qt {

// Message boxes as QMessageBox. They are application-modal; the owner only keeps them above the main
// window.
class QtMessageBoxes : public platform::MessageBoxes {
public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    platform::PromptAnswer askYesNoCancel(const std::string& text, const std::string& title,
                                          platform::Point screenTopLeft) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void showError(const std::string& text, const std::string& title) override;

private:
    QPointer<QWidget> m_owner;
};

// The application's error display: the error's text in an error box titled with the program's name.
class QtErrorDisplay : public platform::ErrorDisplay {
public:
    explicit QtErrorDisplay(QtMessageBoxes& boxes) : m_boxes(boxes) {}
    void showException(const std::string& text) override { m_boxes.showError(text, "Velmora"); }

private:
    QtMessageBoxes& m_boxes;
};

}  // namespace platform::qt
