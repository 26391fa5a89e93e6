#pragma once

#include "platform/controls.h"
#include "platform/services.h"
#include "platform/window_input.h"
#include "velmora_version.h"

#include <string>

// The About box: product name, version, icon and addresses, closed with its default OK button. Its
// dialog reaches it only as a FormInput, and each input runs through the dispatcher.
class TAboutBox : public platform::Form, public platform::FormInput {
    static constexpr raster::Color ButtonFace = raster::Silver;

public:
    explicit TAboutBox(platform::ErrorDisplay& errors);

    // clang-format off
    platform::Panel Panel1{*this, "Panel1", nullptr, at(8, 8, 202, 153), {.color = ButtonFace, .bevel = platform::Bevel::Raised}};
    platform::Label ProductName{*this, "ProductName", &Panel1, at(13, 8, 117, 33), "Velmora", {"Tahoma", 27, false}};
    platform::Label Version{*this, "Version", &Panel1, at(14, 44, 73, 16), std::string("Version ") + VelmoraVersion,
                            {"MS Sans Serif", 13, false}};
    platform::Label Image1{*this, "Image1", &Panel1, at(156, 14, 32, 32), "", {}, {.pictureName = "velmora-32"}};
    platform::Label email{*this, "email", &Panel1, at(14, 96, 111, 13), VelmoraEmail, {"MS Sans Serif", 11, false},
                          {.opaque = true, .color = ButtonFace, .handCursor = true}};
    platform::Label WebAddress{*this, "WebAddress", &Panel1, at(14, 110, 136, 13), VelmoraHomepage,
                               {"MS Sans Serif", 11, false}, {.wordWrap = true}};
    platform::Button OKButton{*this, "OKButton", nullptr, at(76, 171, 74, 25), "OK", {.isDefault = true}};
    // clang-format on

    // Counts the showings, so that a person (or a test) can tell the box was shown.
    int ShowCount = 0;

    void FormShow() override;
    void OKButtonClick(platform::Object* Sender);

    platform::Form& form() override { return *this; }
    void click(platform::Control& control) override;
    // The box has neither up-down controls nor edit boxes.
    void step(platform::UpDown&, int) override {}
    void type(platform::EditBox&, const std::string&) override {}

private:
    platform::ErrorDisplay& m_errors;
};
