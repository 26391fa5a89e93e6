#pragma once

#include "about/about_box.h"
#include "app/main_form.h"

// The program start without its message loop: the help file name, the main form (whose FormCreate
// runs during its creation) and the About box, created hidden. The document's data buffer is released
// when the program ends.
class Program {
public:
    explicit Program(platform::Services& services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TApplication Application;
    TMainForm MainForm;
    TAboutBox AboutBox;
};
