#include "editor/shapes.h"
#include "app/main_form.h"
#include "editor/view.h"

namespace {

bool filledToolSelected(const TMainForm& form) {
    return form.FilledRect.down || form.FilledCircle.down || form.FilledRoundRect.down;
}

// Filled figures keep a one-pixel outline whatever the pen width; outlines use the chosen width.
int shapePenWidth(const TMainForm& form) {
    return form.FilledDrag ? 1 : form.PenWidth.position;
}

// The line is recorded as a path so that its end pixel, which the thin line would leave out, can be
// set on its own before the stroke.
void paintLine(raster::Canvas& canvas, platform::Point from, platform::Point to, raster::Color color) {
    canvas.beginPath();
    canvas.moveTo(from.x, from.y);
    canvas.lineTo(to.x, to.y);
    canvas.setPixel(to.x, to.y, color);
    canvas.endPath();
    canvas.strokePath();
}

}  // namespace

namespace editor {

platform::Size roundRectCorner(platform::Point a, platform::Point b) {
    return {(a.x - b.x) / 2, (a.y - b.y) / 2};
}

}  // namespace editor

void TMainForm::shapePress(int X, int Y) {
    PressPoint = {X, Y};
    DragPoint = PressPoint;
}

// Each motion builds a fresh square-ended pen (one pen value, nothing accumulates during a drag) and
// erases the previous rubber band by restoring the committed picture from Mappi.
void TMainForm::shapeMotion(int X, int Y) {
    if (filledToolSelected(*this)) FilledDrag = 1;
    Boxi.canvas.setPen({raster::PenStyle::Square, shapePenWidth(*this), drawingColor()});
    editor::copyImageRect(Boxi, Mappi, ImageRect);
    DragPoint = {X, Y};
    PaintShape(PressPoint, DragPoint);
}

// The release draws over whatever the last motion left, with its pen, without restoring first.
void TMainForm::shapeRelease(int X, int Y) {
    PaintShape(PressPoint, {X, Y});
}

void TMainForm::PaintShape(platform::Point A, platform::Point B) {
    const platform::Point a = editor::toImagePixel(A.x, A.y);
    const platform::Point b = editor::toImagePixel(B.x, B.y);
    raster::Canvas& canvas = Boxi.canvas;
    switch (ShapeKind) {
        case editor::LineShape:
            paintLine(canvas, a, b, drawingColor());
            break;
        case editor::RectangleShape:
            canvas.rectangle(a.x, a.y, b.x, b.y);
            break;
        case editor::EllipseShape:
            canvas.ellipse(a.x, a.y, b.x, b.y);
            break;
        case editor::RoundRectShape: {
            const platform::Size corner = editor::roundRectCorner(a, b);
            canvas.roundRect(a.x, a.y, b.x, b.y, corner.width, corner.height);
            break;
        }
        default:
            break;
    }
    markModified();
}
