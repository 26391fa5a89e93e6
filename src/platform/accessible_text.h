#pragma once

#include "platform/controls.h"

#include <string>

namespace platform {

// What a screen reader announces for a control: a short name and a longer description.
struct AccessibleText {
    std::string name;
    std::string description;
};

// Any form's control, from its caption or hint: the host gives every widget at least this, and a form
// with controls that show state rather than a caption describes those itself (Form::describe).
AccessibleText describeControl(const Control& control);

// A caption as it is read out: without the accelerator marks, the padding spaces and a closing colon.
std::string spokenCaption(std::string caption);

// The names of the status bar's three panels, in order.
std::string statusPanelName(int index);

}  // namespace platform
