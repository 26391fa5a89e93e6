#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/view_size.h"
#include "document/window_caption.h"

// The window's own settings and its dialogs'; each control's stand on its declaration.
TMainForm::TMainForm(platform::Services& platformServices, TApplication& application)
    : services(platformServices), Application(application) {
    name = "MainForm";
    caption = document::windowCaption();
    clientSize = {729, 519};
    color = raster::Silver;
    font = {"System", 13, false};

    SaveDialog.Options = {"Wireless Bitmap (*.wbmp)|*.wbmp", true, true, true};
    OpenDialog.Options = {"Wireless Bitmap (*.wbmp)|*.wbmp", false, true, true};
}

TMainForm::~TMainForm() = default;

platform::Control* TMainForm::findControl(const std::string& controlName) const {
    return find(controlName);
}

platform::MenuItem* TMainForm::findMenuItem(const std::string& itemName) const {
    for (platform::Menu* menu : MainMenu1)
        for (platform::MenuItem* item : menu->items)
            if (item->name == itemName) return item;
    return nullptr;
}

// The window's creation: no document yet, only the size group, the tools and the menus usable.
void TMainForm::FormCreate(platform::Object*) {
    document::disableEditingCommands(*this);
    document::sizeView(*this, 0, 0);
    Application.HintPause = 200;
    ImageWidth = 0;
    ImageHeight = 0;
    Undo.enabled = false;
    SizeLabel.caption = "1 x 1";
    document::enableSizeEntry(*this);
}

void TMainForm::close() {
    platform::CloseAction action = platform::CloseAction::None;
    FormClose(nullptr, action);
    if (action == platform::CloseAction::Free) closed = true;
}
