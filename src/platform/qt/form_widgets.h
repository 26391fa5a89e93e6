#pragma once

#include "platform/accessible_text.h"
#include "platform/controls.h"

#include <QString>

#include <functional>
#include <map>

class QLineEdit;
class QWidget;

namespace platform::qt {

class ImageView;

// The widgets of one form, built once from its controls (parents before children) inside a client
// widget, and brought up to date from the controls by sync(). Events go out through the callbacks;
// nothing here changes a control.
class FormWidgets {
public:
    // Each widget's accessible name and description come from the form's describe(), asked again on
    // every sync.
    FormWidgets(platform::Form& form, QWidget* client);

    QWidget* widget(const platform::Control& control) const;
    ImageView* view(const platform::Control& control) const;
    // The view of the image that takes the pointer, or null.
    ImageView* pointerView() const;
    // The control a widget was built for, or null.
    platform::Control* control(const QWidget* widget) const;

    // Copies every control's state into its widget; signals stay blocked meanwhile.
    void sync();

    // A click on a button, tool button or label.
    std::function<void(platform::Control&)> onClick;
    // One step of an up-down control.
    std::function<void(platform::UpDown&, int delta)> onStep;
    // An edit box's whole text after a keystroke.
    std::function<void(platform::EditBox&, const std::string& text)> onType;
    // Enter in an edit box: the form's default button is pressed. A dialog does this itself.
    bool enterPressesDefault = false;

private:
    QWidget* build(platform::Control& control, QWidget* parent);
    QWidget* buildLabel(platform::Label& label, QWidget* parent);
    QWidget* buildEditBox(platform::EditBox& edit, QWidget* parent);
    QWidget* buildButton(platform::Button& button, QWidget* parent);
    QWidget* buildToolButton(platform::ToolButton& button, QWidget* parent);
    void setTabOrder();
    void focusFirstEditBox();
    void pressDefaultButton();
    void syncControl(platform::Control& control, QWidget* widget);
    void syncAccessibleText(const platform::Control& control, QWidget* widget);

    platform::Form& m_form;
    std::map<const platform::Control*, QWidget*> m_widgets;
    QLineEdit* m_firstEdit = nullptr;
};

}  // namespace platform::qt
