#include "about/about_box.h"
#include "app/main_form.h"

// The help file is resolved by the help viewer, which also reports a missing file itself.
void TMainForm::HelpContentsClick(platform::Object*) {
    services.help.showContext(Application.HelpFile, 1);
}

void TMainForm::AboutVelmoraClick(platform::Object*) {
    services.modal.showModal(*AboutBox);
}
