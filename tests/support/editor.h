#pragma once

#include "app/program.h"
#include "support/scripted_platform.h"

#include <string>

namespace support {

// A fresh program on the scripted platform, for the tests that drive the form directly.
struct Editor {
    ScriptedPlatform system;
    Program program{system.services()};
    TMainForm& form = program.MainForm;
    ScriptedClipboard& clipboard = system.clipboard();

    // Types the size into the size group and presses OK.
    void startDocument(const std::string& width, const std::string& height);
    // A press and release without motion in the middle of image pixel (x, y).
    void drawDot(int x, int y);
};

}  // namespace support
