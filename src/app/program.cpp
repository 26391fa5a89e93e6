#include "app/program.h"

namespace {

TApplication& withHelpFile(TApplication& application) {
    application.HelpFile = "Help.hlp";
    return application;
}

}  // namespace

Program::Program(platform::Services& services) : MainForm(services, withHelpFile(Application)) {
    MainForm.FormCreate(nullptr);
    MainForm.AboutBox = &AboutBox;
}

Program::~Program() {
    MainForm.ImageData.clear();
    MainForm.ImageData.shrink_to_fit();
}
