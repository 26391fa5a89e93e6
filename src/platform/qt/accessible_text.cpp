#include "platform/qt/accessible_text.h"

#include <algorithm>
#include <cctype>

namespace platform::qt {

namespace {

// A caption as it is read out: without the accelerator marks, the padding spaces and a closing colon.
std::string spoken(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    const auto first = caption.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    caption = caption.substr(first, caption.find_last_not_of(' ') - first + 1);
    if (caption.back() == ':') caption.pop_back();
    return caption;
}

std::string lowerFirst(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string withoutColons(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
    return text;
}

std::string colourName(raster::Color color) { return color == raster::White ? "White" : "Black"; }

std::string pictureSize(const TMainForm& form) {
    return std::to_string(form.ImageWidth) + " x " + std::to_string(form.ImageHeight) + " pixels";
}

// The kind of control: the name of a control with neither caption nor hint, and the description of
// one without a hint.
std::string kindName(const platform::Control& control) {
    switch (control.kind) {
        case platform::ControlKind::Label: {
            const auto* label = dynamic_cast<const platform::Label*>(&control);
            return label && !label->pictureName.empty() ? "Picture" : "Text";
        }
        case platform::ControlKind::Panel: return "Panel";
        case platform::ControlKind::GroupBox: return "Group";
        case platform::ControlKind::EditBox: return "Edit box";
        case platform::ControlKind::Button: return "Button";
        case platform::ControlKind::ToolButton: return "Tool";
        case platform::ControlKind::UpDown: return "Up-down control";
        case platform::ControlKind::Image: return "Picture";
        case platform::ControlKind::Bevel: return "Separator";
    }
    return "Control";
}

}  // namespace

AccessibleText describeControl(const platform::Control& control) {
    const std::string caption = spoken(control.caption);
    const std::string name = !caption.empty() ? caption : !control.hint.empty() ? control.hint : kindName(control);
    std::string description = control.hint.empty() || control.hint == name ? kindName(control) : control.hint;
    if (dynamic_cast<const platform::ToolButton*>(&control)) description = "Drawing tool; Space selects it";
    return {name, description};
}

AccessibleText describeMainFormControl(const TMainForm& form, const platform::Control& control) {
    const platform::Control* c = &control;
    if (c == &form.PiirtoWhite || c == &form.PiirtoBlack)
        return {colourName(static_cast<const platform::Label&>(control).color),
                "Drawing colour; Space or Enter chooses it"};
    if (c == &form.ColorPaneeli)
        return {"Drawing colour: " + lowerFirst(colourName(form.ColorPaneeli.color)),
                "The right mouse button swaps it"};
    if (c == &form.PenWidth)
        return {"Pen width " + std::to_string(form.PenWidth.position),
                "From 1 to 8; the arrow keys change it"};
    if (c == &form.PW) return {"Pen width " + spoken(form.PW.caption), "The pen width in pixels"};
    if (c == &form.Leveys) return {spoken(form.WidthLabel.caption), form.Label1.caption};
    if (c == &form.Korkeus) return {spoken(form.HeightLabel.caption), form.Label2.caption};
    if (c == &form.Boxi || c == &form.Paneeli)
        return {"Picture, " + lowerFirst(withoutColons(spoken(form.ZoomLabel.caption))),
                form.ImageWidth > 0 ? pictureSize(form) + "; draw on it with the pointer"
                                    : "No picture yet: type a width and a height and press OK"};
    if (c == &form.PikkuBoxi || c == &form.PikkuPaneeli)
        return {"Preview", form.ImageWidth > 0 ? "The picture at true size, " + pictureSize(form) : "No picture yet"};
    if (c == &form.SizeLabel) return {"Picture size " + form.SizeLabel.caption, "Width x height in pixels"};
    if (c == &form.Alaviiva || c == &form.Reunaviiva || c == &form.Panel1 || c == &form.Panel2 ||
        c == &form.Panel3)
        return {"Separator", "A line between parts of the window"};
    if (c == &form.Bevel1) return {"Pen width frame", "Around the pen width control"};
    if (c == &form.StatusBar) return {"Status bar", "Pointer position and whether the picture is modified"};
    return describeControl(control);
}

std::string statusPanelName(int index) {
    switch (index) {
        case 0: return "Pointer position";
        case 1: return "Document state";
        default: return "Status";
    }
}

}  // namespace platform::qt
