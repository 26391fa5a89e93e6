#include "about/about_box.h"

#include "platform/dispatcher.h"

TAboutBox::TAboutBox(platform::ErrorDisplay& errors) : m_errors(errors) {
    name = "AboutBox";
    caption = "About Velmora";
    clientSize = {218, 203};
    color = ButtonFace;
    font = {"MS Sans Serif", 11, false};
}

// Sets the layout each time the box is about to show; running it again gives the same layout. The
// two address labels are as wide as their texts in Liberation Sans, so neither is cut off.
void TAboutBox::FormShow() {
    ++ShowCount;
    clientSize.height = 203;
    Panel1.bounds = at(8, 8, 202, 153);
    OKButton.bounds = at(76, 171, 74, 25);
    email.bounds = at(14, 96, 111, 13);
    WebAddress.bounds = at(14, 110, 136, 13);
}

void TAboutBox::OKButtonClick(platform::Object*) {
    modalResult = platform::ModalResult::Ok;
}

void TAboutBox::click(platform::Control& control) {
    if (&control == &OKButton && control.enabled) platform::dispatch(m_errors, [&] { OKButtonClick(&control); });
}
