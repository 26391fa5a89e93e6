#pragma once

#include "platform/controls.h"
#include "platform/drops.h"
#include "platform/input.h"
#include "platform/surface.h"

#include <string>
#include <vector>

// The one contract between a window host and the program: the host builds its widgets from a form's
// controls and menus, sends every input a person gives back through here and follows the window state
// it reads here. It never calls a handler itself, so each input runs through the one dispatcher,
// whatever the host.
namespace platform {

// What the host follows of its window after each input.
struct WindowState {
    std::string caption;
    // How long the pointer rests before a hint shows, in milliseconds.
    int hintPause = 500;
    // The control that should have the keyboard focus, with a counter so that a repeated request is seen.
    const Control* focusTarget = nullptr;
    int focusRequests = 0;
    // Once set, the window closes for good.
    bool closed = false;
    // The picture has changes not yet saved: the desktop is asked to hold a logout meanwhile.
    bool unsaved = false;
};

// The inputs of any form's window: its controls. A dialog needs no more than this.
class FormInput {
public:
    virtual ~FormInput() = default;
    // The controls the host builds its widgets from.
    virtual Form& form() = 0;
    // A click on a control (a button, tool button or swatch); a disabled control ignores it.
    virtual void click(Control& control) = 0;
    // One click on an arrow of an up-down control.
    virtual void step(UpDown& upDown, int delta) = 0;
    // An edit box's whole text after a person's keystroke.
    virtual void type(EditBox& edit, const std::string& text) = 0;
};

// The main window's inputs beyond its controls: its menus, the pointer on its view, a close request and
// the paint of its own surface. An input that arrives from outside the window (a file named at the
// start, a drop) joins here as one more method.
class WindowInput : public FormInput {
public:
    virtual const std::vector<Menu*>& menuBar() = 0;
    // Answers whether the item was carried out.
    virtual bool chooseMenuItem(MenuItem& item) = 0;
    // A shortcut ("Ctrl+N", "F1"); answers whether an item was carried out.
    virtual bool pressShortcut(const std::string& shortcut) = 0;
    // A menu opens without an item being chosen yet.
    virtual void openMenu(Menu& menu) = 0;
    // The pointer on the view that takes it, in the view's own pixels.
    virtual void pointerDown(MouseButton button, ShiftState shift, int x, int y) = 0;
    virtual void pointerMove(ShiftState shift, int x, int y) = 0;
    virtual void pointerUp(MouseButton button, ShiftState shift, int x, int y) = 0;
    // The title bar, Alt+F4 or the system menu asks to close; answers whether the window closed.
    virtual bool requestClose() = 0;
    // A file handed to the program as it starts.
    virtual void openFile(const std::string& path) = 0;
    // Something dragged over the window: answers whether a drop of it is taken.
    virtual bool dragOver(const DragContent& content) = 0;
    virtual void drop(DragContent& content) = 0;
    virtual void paint(WindowSurface& surface) = 0;
    virtual WindowState state() const = 0;
};

}  // namespace platform
