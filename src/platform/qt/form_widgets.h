#pragma once

#include "platform/accessible_text.h"
#include "platform/controls.h"

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

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
    ImageView* pointerView() const { return m_pointerView; }
    // The control a widget was built for, or null.
    platform::Control* control(const QWidget* widget) const;

    // Copies into each widget what changed in its control since the last sync, and nothing else;
    // signals stay blocked meanwhile. What changed on the view a person draws on is painted and sent
    // to the screen at once, before anything else of the same input is marked for painting.
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
    // What a widget shows, as last copied from its control.
    struct Shown {
        platform::Rect bounds;
        bool enabled = true;
        bool visible = true;
        std::string caption;
        std::string text;
        raster::Color color = raster::Silver;
        bool down = false;
        int position = 0;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    struct Entry {
        platform::Control* control;
        QWidget* widget;
        Shown shown;
    };
    static Shown shownOf(const platform::Control& control);
    void syncControl(const platform::Control& control, QWidget* widget, const Shown& before, const Shown& now);
    void syncAccessibleText(const platform::Control& control, QWidget* widget);

    platform::Form& m_form;
    std::map<const platform::Control*, QWidget*> m_widgets;
    // The built controls in the form's order, parents first.
    std::vector<Entry> m_entries;
    bool m_synced = false;
    // Found once as the widgets are built: the sync after every pointer motion paints it first.
    ImageView* m_pointerView = nullptr;
    QLineEdit* m_firstEdit = nullptr;
};

}  // namespace platform::qt
