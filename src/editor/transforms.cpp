#include "app/main_form.h"
#include "editor/flip.h"
#include "editor/view.h"

namespace {

// Flip and Mirror work on the preview's bitmap, so it must hold the document at its size first: it
// may not exist yet after a new size.
raster::Bitmap& previewHoldingDocument(TMainForm& form) {
    form.refreshPreview();
    return form.PikkuBoxi.picture;
}

}  // namespace

void TMainForm::InvertClick(platform::Object*) {
    Boxi.canvas.setCopyMode(raster::CopyMode::DstInvert);
    Boxi.canvas.copyRect(ImageRect, Boxi.canvas, ImageRect);
    Boxi.canvas.setCopyMode(raster::CopyMode::SrcCopy);
    finishChange();
}

void TMainForm::FlipClick(platform::Object*) {
    editor::FlipVertical(previewHoldingDocument(*this));
    editor::copyImageRect(Boxi, PikkuBoxi, ImageRect);
    finishChange();
}

void TMainForm::MirrorClick(platform::Object*) {
    editor::FlipHorizontal(previewHoldingDocument(*this));
    editor::copyImageRect(Boxi, PikkuBoxi, ImageRect);
    finishChange();
}
