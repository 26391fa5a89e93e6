#pragma once

#include "app/main_form.h"

#include <string>

namespace platform::qt {

// What a screen reader announces for a control: a short name and a longer description.
struct AccessibleText {
    std::string name;
    std::string description;
};

// Any form's control, from its caption or hint: the host gives every widget at least this.
AccessibleText describeControl(const platform::Control& control);

// The main window's controls. Several of them show state rather than a caption (the colour swatches,
// the drawing colour, the pen width, the picture), so their texts follow the form and are asked for
// again after every handler.
AccessibleText describeMainFormControl(const TMainForm& form, const platform::Control& control);

// The names of the status bar's three panels, in order.
std::string statusPanelName(int index);

}  // namespace platform::qt
