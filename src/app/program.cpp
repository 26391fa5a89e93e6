#include "app/program.h"

#include <csignal>

namespace {

TApplication& withHelpFile(TApplication& application) {
    application.HelpFile = "Help.hlp";
    return application;
}

}  // namespace

Program::Program(platform::Services& services)
    : MainForm(services, withHelpFile(Application)), AboutBox(services.errors) {
    // A write past the file-size limit (ulimit -f) would otherwise end the program with its unsaved
    // picture; ignored, it makes the write fail with EFBIG, which the save reports as "Disk full".
    std::signal(SIGXFSZ, SIG_IGN);
    MainForm.FormCreate(nullptr);
    MainForm.AboutBox = &AboutBox;
}

Program::~Program() {
    MainForm.ImageData.clear();
    MainForm.ImageData.shrink_to_fit();
}
