#include "platform/accessible_text.h"

#include <algorithm>

namespace platform {

namespace {

// The kind of control: the name of a control with neither caption nor hint, and the description of
// one without a hint.
std::string kindName(const Control& control) {
    switch (control.kind) {
        case ControlKind::Label:
            return static_cast<const Label&>(control).pictureName.empty() ? "Text" : "Picture";
        case ControlKind::Panel:
            return "Panel";
        case ControlKind::GroupBox:
            return "Group";
        case ControlKind::EditBox:
            return "Edit box";
        case ControlKind::Button:
            return "Button";
        case ControlKind::ToolButton:
            return "Tool";
        case ControlKind::UpDown:
            return "Up-down control";
        case ControlKind::Image:
            return "Picture";
        case ControlKind::StatusBar:
            return "Status bar";
    }
    return "Control";
}

}  // namespace

AccessibleText describeControl(const Control& control) {
    const std::string caption = spokenCaption(control.caption);
    const std::string name = !caption.empty() ? caption : !control.hint.empty() ? control.hint : kindName(control);
    std::string description = control.hint.empty() || control.hint == name ? kindName(control) : control.hint;
    if (control.kind == ControlKind::ToolButton) description = "Drawing tool; Space selects it";
    return {name, description};
}

std::string spokenCaption(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    const auto first = caption.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    caption = caption.substr(first, caption.find_last_not_of(' ') - first + 1);
    if (caption.back() == ':') caption.pop_back();
    return caption;
}

AccessibleText Form::describe(const Control& control) const {
    return describeControl(control);
}

std::string statusPanelName(int index) {
    switch (index) {
        case 0:
            return "Pointer position";
        case 1:
            return "Document state";
        default:
            return "Status";
    }
}

}  // namespace platform
