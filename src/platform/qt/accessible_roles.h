#pragma once

class QAction;
class QWidget;

namespace platform::qt {

// What a screen reader meets some widgets as, rather than as the widget class that shows them: the
// pen width as a spin button with its value, the colour swatches as buttons to press, the lines
// between parts of the window as separators.
enum class AccessibleRole { SpinButton, PressButton, Separator };

// Gives the widget its role; the first call installs the factory that makes the interfaces.
void setAccessibleRole(QWidget& widget, AccessibleRole role);

// A menu item named by its caption alone, with the shortcut its menu shows after a tab given as its
// key binding.
void setAccessibleMenuItem(QAction& action);

// The value and range a spin button reads out; a listening screen reader hears of a change.
void setAccessibleValue(QWidget& widget, int value, int minimum, int maximum);

}  // namespace platform::qt
