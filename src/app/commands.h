#pragma once

#include "app/main_form.h"

#include <string>

// A person's actions carried out the way the real window carries them out, each through the one
// dispatcher. The Qt host and the scenario runner both drive the form only through these, so the
// rules below hold for both.
namespace commands {

// A click on a control. A disabled control ignores it. A tool button goes down and the others up,
// then its click handler runs (Pen and Fill have none); OKButton and the swatches run theirs.
void click(TMainForm& form, platform::Control& control);

// Chooses a menu item. Items of the Edit menu first run EdittiClick, as the menu opens; a disabled
// item is not carried out. Answers whether it was carried out.
bool chooseMenuItem(TMainForm& form, platform::MenuItem& item);

// Presses a shortcut ("Ctrl+N", "F1"): the enabled item that owns it is carried out; for the Edit
// menu's shortcuts EdittiClick runs first. Answers whether an item was carried out.
bool pressShortcut(TMainForm& form, const std::string& shortcut);

// Opens a menu without choosing an item (runs EdittiClick for the Edit menu).
void openMenu(TMainForm& form, platform::Menu& menu);

// A person's keystroke in an edit box: the box takes the whole new text, its maximum length applying.
void type(TMainForm& form, platform::EditBox& edit, const std::string& text);

// One click on an arrow of the pen-width control: the position steps (wrapping), the hidden edit's
// text follows and its change handler runs.
void stepPenWidth(TMainForm& form, int delta);

// Pointer events on the view; ignored while the view is disabled.
void mouseDown(TMainForm& form, platform::MouseButton button, platform::ShiftState shift, int x, int y);
void mouseMove(TMainForm& form, platform::ShiftState shift, int x, int y);
void mouseUp(TMainForm& form, platform::MouseButton button, platform::ShiftState shift, int x, int y);

// A file handed to the program as it starts, opened as Open opens a chosen one.
void openFile(TMainForm& form, const std::string& path);

// Something dragged over the window: answers whether dropping it would be taken.
bool dragOver(TMainForm& form, const platform::DragContent& content);

// Something dropped on the window.
void drop(TMainForm& form, platform::DragContent& content);

// A close request from the title bar, Alt+F4 or the system menu. Answers whether the window closed.
bool requestClose(TMainForm& form);

}  // namespace commands
