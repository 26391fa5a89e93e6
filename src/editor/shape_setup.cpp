#include "app/main_form.h"
#include "editor/shapes.h"
#include "platform/errors.h"

#include <charconv>
#include <string>

namespace {

// PW's caption is the width the user sees; the outline tools take their width from it, as it was
// written by the last step of the pen-width control.
int captionNumber(const std::string& caption) {
    int value = 0;
    const auto [end, error] = std::from_chars(caption.data(), caption.data() + caption.size(), value);
    if (error != std::errc{} || end != caption.data() + caption.size())
        throw platform::Error("'" + caption + "' is not a valid integer value");
    return value;
}

void setUpOutlineTool(TMainForm& form, std::uint8_t kind) {
    raster::Canvas& canvas = form.Boxi.canvas;
    canvas.setPen({raster::PenStyle::Plain, captionNumber(form.PW.caption), canvas.pen().color});
    canvas.setBrush({true, canvas.brush().color});
    form.ShapeKind = kind;
}

void setUpFilledTool(TMainForm& form, std::uint8_t kind) {
    raster::Canvas& canvas = form.Boxi.canvas;
    form.ShapeKind = kind;
    canvas.setBrush({false, canvas.brush().color});
    canvas.setPenColor(form.drawingColor());
    canvas.setBrush({false, form.drawingColor()});
}

}  // namespace

void TMainForm::LineClick(platform::Object*) {
    setUpOutlineTool(*this, editor::LineShape);
}
void TMainForm::RectangleButtonClick(platform::Object*) {
    setUpOutlineTool(*this, editor::RectangleShape);
}
void TMainForm::CircleClick(platform::Object*) {
    setUpOutlineTool(*this, editor::EllipseShape);
}
void TMainForm::RoundRectClick(platform::Object*) {
    setUpOutlineTool(*this, editor::RoundRectShape);
}
void TMainForm::FilledRectClick(platform::Object*) {
    setUpFilledTool(*this, editor::RectangleShape);
}
void TMainForm::FilledCircleClick(platform::Object*) {
    setUpFilledTool(*this, editor::EllipseShape);
}
void TMainForm::FilledRoundRectClick(platform::Object*) {
    setUpFilledTool(*this, editor::RoundRectShape);
}

void TMainForm::reapplyShapeSetup() {
    if (RectangleButton.down) RectangleButtonClick(&RectangleButton);
    if (Circle.down) CircleClick(&Circle);
    if (RoundRect.down) RoundRectClick(&RoundRect);
    reapplyFilledSetup();
}

void TMainForm::reapplyFilledSetup() {
    if (FilledRect.down) FilledRectClick(&FilledRect);
    if (FilledCircle.down) FilledCircleClick(&FilledCircle);
    if (FilledRoundRect.down) FilledRoundRectClick(&FilledRoundRect);
}
