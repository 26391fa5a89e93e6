#include "app/main_form.h"
#include "platform/accessible_text.h"

#include <algorithm>
#include <cctype>
#include <string>

// The main window's controls for a screen reader. Several of them show state rather than a caption
// (the colour swatches, the drawing colour, the pen width, the picture), so their texts follow the
// form and the host asks for them again after every handler.
namespace {

std::string lowerFirst(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string withoutColons(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
    return text;
}

std::string colourName(raster::Color color) {
    return color == raster::White ? "White" : "Black";
}

std::string pictureSize(const TMainForm& form) {
    return std::to_string(form.ImageWidth) + " x " + std::to_string(form.ImageHeight) + " pixels";
}

}  // namespace

platform::AccessibleText TMainForm::describe(const platform::Control& control) const {
    const TMainForm& form = *this;
    const platform::Control* c = &control;
    if (c == &form.PiirtoWhite || c == &form.PiirtoBlack)
        return {colourName(static_cast<const platform::Label&>(control).color),
                "Drawing colour; Space or Enter chooses it"};
    if (c == &form.ColorPaneeli)
        return {"Drawing colour: " + lowerFirst(colourName(form.ColorPaneeli.color)),
                "The right mouse button swaps it"};
    if (c == &form.PenWidth)
        return {"Pen width " + std::to_string(form.PenWidth.position), "From 1 to 8; the arrow keys change it"};
    if (c == &form.PW) return {"Pen width " + platform::spokenCaption(form.PW.caption), "The pen width in pixels"};
    if (c == &form.Leveys) return {platform::spokenCaption(form.WidthLabel.caption), form.Label1.caption};
    if (c == &form.Korkeus) return {platform::spokenCaption(form.HeightLabel.caption), form.Label2.caption};
    if (c == &form.Boxi || c == &form.Paneeli)
        return {"Picture, " + lowerFirst(withoutColons(platform::spokenCaption(form.ZoomLabel.caption))),
                form.ImageWidth > 0 ? pictureSize(form) + "; draw on it with the pointer"
                                    : "No picture yet: type a width and a height and press OK"};
    if (c == &form.PikkuBoxi || c == &form.PikkuPaneeli)
        return {"Preview", form.ImageWidth > 0 ? "The picture at true size, " + pictureSize(form) : "No picture yet"};
    if (c == &form.SizeLabel) return {"Picture size " + form.SizeLabel.caption, "Width x height in pixels"};
    if (c == &form.Alaviiva || c == &form.Reunaviiva || c == &form.Panel1 || c == &form.Panel2 || c == &form.Panel3)
        return {"Separator", "A line between parts of the window"};
    if (c == &form.Bevel1) return {"Pen width frame", "Around the pen width control"};
    if (c == &form.StatusBar) return {"Status bar", "Pointer position and whether the picture is modified"};
    return platform::describeControl(control);
}
