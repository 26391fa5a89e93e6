#include "app/commands.h"

#include "platform/dispatcher.h"

#include <algorithm>

namespace commands {

namespace {

using Handler = void (TMainForm::*)(platform::Object*);

Handler controlHandler(TMainForm& form, const platform::Control& control) {
    const std::pair<const platform::Control*, Handler> handlers[] = {
        {&form.Line, &TMainForm::LineClick},
        {&form.RectangleButton, &TMainForm::RectangleButtonClick},
        {&form.Circle, &TMainForm::CircleClick},
        {&form.RoundRect, &TMainForm::RoundRectClick},
        {&form.FilledRect, &TMainForm::FilledRectClick},
        {&form.FilledCircle, &TMainForm::FilledCircleClick},
        {&form.FilledRoundRect, &TMainForm::FilledRoundRectClick},
        {&form.OKButton, &TMainForm::OKButtonClick},
        {&form.PiirtoWhite, &TMainForm::PiirtoWhiteClick},
        {&form.PiirtoBlack, &TMainForm::PiirtoBlackClick},
    };
    for (const auto& [owner, handler] : handlers)
        if (owner == &control) return handler;
    return nullptr;
}

Handler menuHandler(TMainForm& form, const platform::MenuItem& item) {
    const std::pair<const platform::MenuItem*, Handler> handlers[] = {
        {&form.New, &TMainForm::NewClick},
        {&form.Open, &TMainForm::OpenClick},
        {&form.Save, &TMainForm::SaveClick},
        {&form.SaveAs, &TMainForm::SaveAsClick},
        {&form.Exit, &TMainForm::ExitClick},
        {&form.Undo, &TMainForm::UndoClick},
        {&form.Cut, &TMainForm::CutClick},
        {&form.Copy, &TMainForm::CopyClick},
        {&form.Paste, &TMainForm::PasteClick},
        {&form.ClearClip, &TMainForm::ClearClipClick},
        {&form.Invert, &TMainForm::InvertClick},
        {&form.Flip, &TMainForm::FlipClick},
        {&form.Mirror, &TMainForm::MirrorClick},
        {&form.HelpContents, &TMainForm::HelpContentsClick},
        {&form.AboutVelmora, &TMainForm::AboutVelmoraClick},
    };
    for (const auto& [owner, handler] : handlers)
        if (owner == &item) return handler;
    return nullptr;
}

bool inMenu(const platform::Menu& menu, const platform::MenuItem& item) {
    return std::find(menu.items.begin(), menu.items.end(), &item) != menu.items.end();
}

void run(TMainForm& form, Handler handler, platform::Object* sender) {
    platform::dispatch(form.services.errors, [&] { (form.*handler)(sender); });
}

// Tool buttons form one exclusive group: exactly one of them is down.
void pressToolButton(TMainForm& form, platform::ToolButton& pressed) {
    for (platform::ToolButton* button : form.toolButtons) button->down = button == &pressed;
}

}  // namespace

void click(TMainForm& form, platform::Control& control) {
    if (!control.enabled) return;
    if (control.kind == platform::ControlKind::ToolButton)
        pressToolButton(form, static_cast<platform::ToolButton&>(control));
    if (Handler handler = controlHandler(form, control)) run(form, handler, &control);
}

bool chooseMenuItem(TMainForm& form, platform::MenuItem& item) {
    if (inMenu(form.Editti, item)) openMenu(form, form.Editti);
    const Handler handler = menuHandler(form, item);
    if (!item.enabled || handler == nullptr) return false;
    run(form, handler, &item);
    return true;
}

bool pressShortcut(TMainForm& form, const std::string& shortcut) {
    for (platform::Menu* menu : form.MainMenu1)
        for (platform::MenuItem* item : menu->items)
            if (item->shortcut == shortcut) return chooseMenuItem(form, *item);
    return false;
}

void openMenu(TMainForm& form, platform::Menu& menu) {
    if (&menu == &form.Editti) platform::dispatch(form.services.errors, [&] { form.EdittiClick(nullptr); });
}

void type(TMainForm& form, platform::EditBox& edit, const std::string& text) {
    platform::dispatch(form.services.errors, [&] { edit.type(text); });
}

void stepPenWidth(TMainForm& form, int delta) {
    if (!form.PenWidth.step(delta)) return;
    form.PenSize.text = std::to_string(form.PenWidth.position);
    run(form, &TMainForm::PenSizeChange, &form.PenSize);
}

void mouseDown(TMainForm& form, platform::MouseButton button, platform::ShiftState shift, int x, int y) {
    if (!form.Boxi.enabled) return;
    platform::dispatch(form.services.errors, [&] { form.BoxiMouseDown(&form.Boxi, button, shift, x, y); });
}

void mouseMove(TMainForm& form, platform::ShiftState shift, int x, int y) {
    if (!form.Boxi.enabled) return;
    platform::dispatch(form.services.errors, [&] { form.BoxiMouseMove(&form.Boxi, shift, x, y); });
}

void mouseUp(TMainForm& form, platform::MouseButton button, platform::ShiftState shift, int x, int y) {
    if (!form.Boxi.enabled) return;
    platform::dispatch(form.services.errors, [&] { form.BoxiMouseUp(&form.Boxi, button, shift, x, y); });
}

void openFile(TMainForm& form, const std::string& path) {
    platform::dispatch(form.services.errors, [&] { form.OpenFile(path); });
}

bool dragOver(TMainForm& form, const platform::DragContent& content) {
    bool accept = false;
    platform::dispatch(form.services.errors, [&] { form.FormDragOver(nullptr, content, accept); });
    return accept;
}

void drop(TMainForm& form, platform::DragContent& content) {
    platform::dispatch(form.services.errors, [&] { form.FormDragDrop(nullptr, content); });
}

bool requestClose(TMainForm& form) {
    platform::dispatch(form.services.errors, [&] { form.close(); });
    return form.closed;
}

}  // namespace commands

// The window's inputs, each carried out by the command a person's action stands for.

platform::Form& TMainForm::form() {
    return *this;
}

void TMainForm::click(platform::Control& control) {
    commands::click(*this, control);
}

void TMainForm::step(platform::UpDown& upDown, int delta) {
    if (&upDown == &PenWidth) commands::stepPenWidth(*this, delta);
}

void TMainForm::type(platform::EditBox& edit, const std::string& text) {
    commands::type(*this, edit, text);
}

const std::vector<platform::Menu*>& TMainForm::menuBar() {
    return MainMenu1;
}

bool TMainForm::chooseMenuItem(platform::MenuItem& item) {
    return commands::chooseMenuItem(*this, item);
}

bool TMainForm::pressShortcut(const std::string& shortcut) {
    return commands::pressShortcut(*this, shortcut);
}

void TMainForm::openMenu(platform::Menu& menu) {
    commands::openMenu(*this, menu);
}

void TMainForm::pointerDown(platform::MouseButton button, platform::ShiftState shift, int x, int y) {
    commands::mouseDown(*this, button, shift, x, y);
}

void TMainForm::pointerMove(platform::ShiftState shift, int x, int y) {
    commands::mouseMove(*this, shift, x, y);
}

void TMainForm::pointerUp(platform::MouseButton button, platform::ShiftState shift, int x, int y) {
    commands::mouseUp(*this, button, shift, x, y);
}

bool TMainForm::requestClose() {
    return commands::requestClose(*this);
}

void TMainForm::openFile(const std::string& path) {
    commands::openFile(*this, path);
}

bool TMainForm::dragOver(const platform::DragContent& content) {
    return commands::dragOver(*this, content);
}

void TMainForm::drop(platform::DragContent& content) {
    commands::drop(*this, content);
}

void TMainForm::paint(platform::WindowSurface& surface) {
    platform::dispatch(services.errors, [&] { FormPaint(nullptr, surface); });
}

platform::WindowState TMainForm::state() const {
    return {caption, Application.HintPause, focusTarget, focusRequests, closed, DocumentModified == 1};
}
