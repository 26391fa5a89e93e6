#pragma once

class QWidget;

namespace platform::qt {

// What a screen reader meets some widgets as, rather than as the widget class that shows them: the
// pen width as a spin button with its value, the colour swatches as buttons to press, the lines
// between parts of the window as separators.
enum class AccessibleRole { SpinButton, PressButton, Separator };

// Gives the widget its role; the first call installs the factory that makes the interfaces.
void setAccessibleRole(QWidget& widget, AccessibleRole role);

// The value and range a spin button reads out; a listening screen reader hears of a change.
void setAccessibleValue(QWidget& widget, int value, int minimum, int maximum);

}  // namespace platform::qt
