#include "app/main_form.h"
#include "editor/view.h"

// The two snapshot images are written in turn, so the one not named by UndoSlot always holds the
// picture from before the latest change.
void TMainForm::TakeUndoSnapshot() {
    UndoSlot = UndoSlot == 0 ? 1 : 0;
    if (UndoSlot == 0) editor::copyImageRect(UndoBoxi1, Boxi, ImageRect);
    if (UndoSlot == 1) editor::copyImageRect(UndoBoxi2, Boxi, ImageRect);
}

// Both snapshots end up holding the restored picture and UndoSlot stays, so the next change writes
// into the other image and a following Undo returns here again.
void TMainForm::UndoClick(platform::Object*) {
    platform::Image& previous = UndoSlot == 1 ? UndoBoxi1 : UndoBoxi2;
    platform::Image& latest = UndoSlot == 1 ? UndoBoxi2 : UndoBoxi1;
    editor::copyImageRect(Boxi, previous, ImageRect);
    editor::copyImageRect(latest, previous, ImageRect);
    refreshPreview();
    editor::copyImageRect(Mappi, Boxi, ImageRect);
    Undo.enabled = false;
    DocumentModified = 1;
}
