#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/save_prompt.h"

// File > New, and the discarding half of Open (Sender is then the Open item): asks to save a
// modified document, then resets it unless the person cancelled the save dialog.
void TMainForm::NewClick(platform::Object* Sender) {
    if (DocumentModified == 1 && document::settleChanges(*this, Sender)) DocumentModified = 0;
    // Still modified means Save As was cancelled: the document stays open and fully editable, so the
    // editing commands are disabled only once it is really discarded.
    if (DocumentModified != 0) return;
    document::disableEditingCommands(*this);
    ResetDocument(Sender);
    if (Sender != &Open) {
        focusTarget = &Leveys;
        ++focusRequests;
    }
}
