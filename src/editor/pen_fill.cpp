#include "app/main_form.h"
#include "editor/view.h"

using platform::ShiftState;

namespace {

raster::Color penColorFor(raster::Color drawingColor) {
    return drawingColor == raster::White ? raster::White : raster::Black;
}

// The colour a fill replaces: the other one of the two the document holds.
raster::Color surfaceColorFor(raster::Color drawingColor) {
    return drawingColor == raster::Black ? raster::White : raster::Black;
}

// The thin pen leaves out the end point of every line, so at width 1 the pixel under the pointer is
// set explicitly; wider pens cover it with their round end.
void markEndPixel(TMainForm& form, platform::Point pixel) {
    if (form.PenWidth.position == 1) form.Boxi.canvas.setPixel(pixel.x, pixel.y, form.Boxi.canvas.pen().color);
}

// Paints the whole bitmap in the fill colour and puts the document back from Mappi, so that the
// hidden part around the document is never of the surface colour and the fill stops at its edge.
void raiseBarrierAroundDocument(TMainForm& form, raster::Color fillColor) {
    raster::Canvas& canvas = form.Boxi.canvas;
    canvas.setBrush({false, fillColor});
    canvas.fillRect({0, 0, canvas.bitmap().width(), canvas.bitmap().height()});
    editor::copyImageRect(form.Boxi, form.Mappi, form.ImageRect);
}

}  // namespace

void TMainForm::penPress(ShiftState Shift, int X, int Y) {
    Boxi.canvas.setPenColor(penColorFor(drawingColor()));
    if (Shift.left) {
        const platform::Point pixel = editor::toImagePixel(X, Y);
        Boxi.canvas.moveTo(pixel.x, pixel.y);
        Boxi.canvas.lineTo(pixel.x, pixel.y);
        markEndPixel(*this, pixel);
        refreshPreview();
    }
    markModified();
    DrawingActive = false;
}

void TMainForm::penMotion(int X, int Y) {
    const platform::Point pixel = editor::toImagePixel(X, Y);
    Boxi.canvas.lineTo(pixel.x, pixel.y);
    markEndPixel(*this, pixel);
    refreshPreview();
    DrawingActive = false;
}

void TMainForm::fillPress(ShiftState Shift, int X, int Y) {
    if (Shift.left) {
        const platform::Point pixel = editor::toImagePixel(X, Y);
        raiseBarrierAroundDocument(*this, drawingColor());
        Boxi.canvas.floodFill(pixel.x, pixel.y, surfaceColorFor(drawingColor()));
        refreshPreview();
    }
    markModified();
}
