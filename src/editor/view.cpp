#include "editor/view.h"

#include "app/main_form.h"
#include "document/limits.h"

using platform::MouseButton;
using platform::Object;
using platform::ShiftState;

namespace editor {

int toImageCoordinate(int viewCoordinate) {
    return viewCoordinate / document::Zoom;
}

platform::Point toImagePixel(int X, int Y) {
    return {toImageCoordinate(X), toImageCoordinate(Y)};
}

std::string positionReadout(int X, int Y, int imageWidth, int imageHeight) {
    const platform::Point pixel = toImagePixel(X, Y);
    // The bounds are inclusive on purpose: during a drag just past the right or bottom edge the
    // readout still names the column or row one beyond the document.
    if (X < 1 || Y < 1 || pixel.x > imageWidth || pixel.y > imageHeight) return {};
    std::string text = "(";
    text.append(std::to_string(pixel.x)).append(", ").append(std::to_string(pixel.y)).append(")");
    return text;
}

void copyImageRect(platform::Image& to, const platform::Image& from, const platform::Rect& rect) {
    to.canvas.setCopyMode(raster::CopyMode::SrcCopy);
    to.canvas.copyRect(rect, from.canvas, rect);
}

void ensurePreview(TMainForm& form) {
    raster::Bitmap& preview = form.PikkuBoxi.picture;
    if (preview.width() != form.ImageWidth || preview.height() != form.ImageHeight)
        preview.reset(form.ImageWidth, form.ImageHeight);
}

}  // namespace editor

namespace {

bool shapeToolSelected(const TMainForm& form) {
    return !form.Pen.down && !form.Fill.down;
}

// A press starts with the plain pen of the chosen width, whatever pen the last shape drag left:
// the freehand pen and a click without motion both draw with it.
void applyPressPen(TMainForm& form) {
    raster::Canvas& canvas = form.Boxi.canvas;
    canvas.setPen({raster::PenStyle::Plain, form.PenWidth.position, canvas.pen().color});
}

}  // namespace

void TMainForm::BoxiMouseDown(Object*, MouseButton, ShiftState Shift, int X, int Y) {
    if (Shift.right) {
        swapDrawingColor();
        reapplyShapeSetup();
        return;
    }
    DrawingActive = true;
    applyPressPen(*this);
    if (shapeToolSelected(*this)) shapePress(X, Y);
    if (Fill.down) fillPress(Shift, X, Y);
    // Set again so that the pen's press starts with it set whatever the presses before it did; the pen
    // press clears it at its end.
    DrawingActive = true;
    if (Pen.down) penPress(Shift, X, Y);
}

void TMainForm::BoxiMouseMove(Object*, ShiftState Shift, int X, int Y) {
    if (Shift.left) {
        DrawingActive = true;
        Boxi.canvas.setPenColor(drawingColor());
        if (shapeToolSelected(*this)) shapeMotion(X, Y);
        if (Pen.down) penMotion(X, Y);
        refreshPreview();
        if (Pen.down || Fill.down) markModified();
    }
    StatusBar.panels[0] = editor::positionReadout(X, Y, ImageWidth, ImageHeight);
}

void TMainForm::BoxiMouseUp(Object*, MouseButton, ShiftState, int X, int Y) {
    if (shapeToolSelected(*this) && DrawingActive) {
        shapeRelease(X, Y);
        // Cleared as soon as the figure is final; the release's last step clears it for every tool.
        DrawingActive = false;
    }
    // The release may draw the final figure elsewhere than the last rubber band (or without any
    // motion at all), so the preview is brought up to date here too, or it would keep showing a
    // figure that is not in the document.
    refreshPreview();
    commitPicture();
    TakeUndoSnapshot();
    DrawingActive = false;
    FilledDrag = 0;
}

void TMainForm::FormPaint(Object*, platform::WindowSurface& surface) {
    // The view's panel keeps its top-left corner; only its size follows the document.
    const platform::Rect& view = Paneeli.bounds;
    surface.fillRect({view.left, view.top, view.left + ViewWidth, view.top + ViewHeight}, editor::BackdropColor);
}

void TMainForm::refreshPreview() {
    editor::ensurePreview(*this);
    editor::copyImageRect(PikkuBoxi, Boxi, ImageRect);
}

void TMainForm::commitPicture() {
    Mappi.picture.reset(ImageWidth, ImageHeight);
    editor::copyImageRect(Mappi, Boxi, ImageRect);
}

void TMainForm::markModified() {
    DocumentModified = 1;
    StatusBar.panels[1] = "Modified";
    Undo.enabled = true;
}

void TMainForm::finishChange() {
    refreshPreview();
    editor::copyImageRect(Mappi, Boxi, ImageRect);
    TakeUndoSnapshot();
    Undo.enabled = true;
    markModified();
}
