#pragma once

#include "platform/controls.h"

// The About box: product name, version, icon and addresses, closed with its default OK button.
class TAboutBox : public platform::Form {
public:
    TAboutBox();

    platform::Panel Panel1;
    platform::Label ProductName;
    platform::Label Version;
    platform::Label Image1;
    platform::Label email;
    platform::Label WebAddress;
    platform::Button OKButton;

    // Counts the showings, so that a person (or a test) can tell the box was shown.
    int ShowCount = 0;

    void FormShow() override;
    void OKButtonClick(platform::Object* Sender);
    bool click(platform::Control& control) override;
};
