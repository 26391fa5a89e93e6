#include "about/about_box.h"

#include "velmora_version.h"

#include <string>

namespace {

platform::Rect at(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

constexpr raster::Color ButtonFace = raster::Silver;

}  // namespace

TAboutBox::TAboutBox()
    : Panel1("Panel1", nullptr, at(8, 8, 202, 153), ButtonFace, platform::Bevel::Raised),
      ProductName("ProductName", &Panel1, at(13, 8, 117, 33), "Velmora", {"Tahoma", 27, false}),
      Version("Version", &Panel1, at(14, 44, 73, 16), std::string("Version ") + VelmoraVersion,
              {"MS Sans Serif", 13, false}),
      Image1("Image1", &Panel1, at(156, 14, 32, 32), "", {}),
      email("email", &Panel1, at(14, 96, 111, 13), VelmoraEmail, {"MS Sans Serif", 11, false}),
      WebAddress("WebAddress", &Panel1, at(14, 110, 136, 13), VelmoraHomepage, {"MS Sans Serif", 11, false}),
      OKButton("OKButton", nullptr, at(76, 171, 74, 25), "OK") {
    name = "AboutBox";
    caption = "About Velmora";
    clientSize = {218, 203};
    color = ButtonFace;
    font = {"MS Sans Serif", 11, false};
    Image1.pictureName = "velmora-32";
    email.handCursor = true;
    email.opaque = true;
    email.color = ButtonFace;
    WebAddress.wordWrap = true;
    OKButton.isDefault = true;
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &Panel1, &ProductName, &Version, &Image1, &email, &WebAddress, &OKButton})
        controls.push_back(control);
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

bool TAboutBox::click(platform::Control& control) {
    if (&control != &OKButton) return false;
    OKButtonClick(&control);
    return true;
}
