#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/limits.h"
#include "document/size_text.h"
#include "document/view_size.h"
#include "document/window_caption.h"

// Sizes everything to ImageWidth x ImageHeight and leaves the window waiting for OK: the view and the
// colour controls disabled, the size group enabled.
void TMainForm::InitDocument() {
    PikkuBoxi.picture.reset(0, 0);
    document::enableSizeEntry(*this);
    DrawingActive = false;
    DataSize = document::dataSizeFor(ImageWidth, ImageHeight, DataSize);
    ImageData.resize(static_cast<std::size_t>(DataSize), 0);
    document::sizeView(*this, ImageWidth, ImageHeight);
    PikkuBoxi.setHeight(ImageHeight);
    PikkuBoxi.setWidth(ImageWidth);
    // The boxes' texts, not the numbers: after a rejected OK the boxes are empty and so is the label.
    SizeLabel.caption = Leveys.text + " x " + Korkeus.text;
    ImageRect = {0, 0, ImageWidth, ImageHeight};
    UndoSlot = 0;
    ExitConfirmed = 0;
    DocumentModified = 0;
    DocumentHasFile = 0;
}

// Discards the document: clean, without a file, without undo, at the old size until OK.
void TMainForm::ResetDocument(platform::Object* Sender) {
    DocumentModified = 0;
    StatusBar.panels[1].clear();
    DocumentHasFile = 0;
    TaustaWhiteClick(Sender);
    SaveDialog.FileName.clear();
    caption = document::windowCaption();
    UndoSlot = 0;
    Undo.enabled = false;
    ExitConfirmed = 0;
    InitDocument();
}

// Whitens the view, the preview and both undo images, but only for File > New: Open discards the
// document through New as well and then draws the file's picture over it.
void TMainForm::TaustaWhiteClick(platform::Object* Sender) {
    if (Sender != &New) return;
    DocumentModified = 0;
    StatusBar.panels[1].clear();
    for (platform::Image* image : {&Boxi, &PikkuBoxi, &UndoBoxi1, &UndoBoxi2}) {
        image->canvas.setBrush({false, raster::White});
        image->canvas.fillRect({0, 0, document::MaxWidth, document::MaxHeight});
    }
}
