#include "document/editing_state.h"

#include "app/main_form.h"

#include <initializer_list>

namespace document {

namespace {

void setEnabled(std::initializer_list<platform::Control*> controls, bool enabled) {
    for (platform::Control* control : controls) control->enabled = enabled;
}

void setEnabled(std::initializer_list<platform::MenuItem*> items, bool enabled) {
    for (platform::MenuItem* item : items) item->enabled = enabled;
}

void setEditingCommandsEnabled(TMainForm& form, bool enabled) {
    setEnabled({&form.Cut, &form.Copy, &form.Paste, &form.Invert, &form.Mirror, &form.Flip}, enabled);
}

}  // namespace

void enableSizeEntry(TMainForm& form) {
    setEnabled({&form.Boxi, &form.PiirtoWhite, &form.PiirtoBlack, &form.ColorPaneeli, &form.TaustaWhite}, false);
    setEnabled({&form.Save, &form.SaveAs}, false);
    setEnabled({&form.Leveys, &form.Korkeus, &form.OKButton}, true);
}

void enableEditing(TMainForm& form) {
    setEnabled({&form.Leveys, &form.Korkeus, &form.OKButton}, false);
    setEnabled({&form.Boxi, &form.PiirtoWhite, &form.PiirtoBlack, &form.ColorPaneeli, &form.TaustaWhite}, true);
    setEnabled({&form.Save, &form.SaveAs}, true);
    setEditingCommandsEnabled(form, true);
}

void disableEditingCommands(TMainForm& form) {
    setEditingCommandsEnabled(form, false);
}

}  // namespace document
