#pragma once

#include "platform/qt/form_widgets.h"
#include "platform/services.h"
#include "platform/window_input.h"

#include <QDialog>
#include <QPointer>

#include <map>

namespace platform::qt {

// A secondary form as a fixed-size dialog. Enter presses its default button; Escape does nothing,
// because these forms have no cancel button; the title bar's close button closes it. The dialog knows
// its form through the form's input alone.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(platform::FormInput& input, QWidget* owner);

    FormWidgets& widgets() { return m_widgets; }
    // Runs the form's show handler, lays the dialog out afresh, centres it and runs it modally.
    void run();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Brings the widgets up to date after an input and ends the dialog once the form has a result.
    void afterInput();

    platform::FormInput& m_input;
    platform::Form& m_form;
    QWidget* m_client;
    FormWidgets m_widgets;
};

// Shows each form in its own dialog, built the first time the form is shown and kept for the run.
class QtModalHost : public platform::ModalHost {
public:
    QtModalHost() = default;
    QtModalHost(const QtModalHost&) = delete;
    QtModalHost& operator=(const QtModalHost&) = delete;
    ~QtModalHost() override;
    void setOwner(QWidget* owner) { m_owner = owner; }
    void showModal(platform::FormInput& dialog) override;
    // The dialog of a form once it has been shown, else null.
    FormDialog* dialog(const platform::Form& form) const;

private:
    QPointer<QWidget> m_owner;
    // The owner window deletes the dialogs it holds; the rest are deleted here.
    std::map<const platform::Form*, QPointer<FormDialog>> m_dialogs;
};

}  // namespace platform::qt
