#pragma once

namespace platform {

enum class MouseButton { Left, Right, Middle };

// The modifier keys and the mouse buttons held at the moment of a pointer event.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool left = false;
    bool right = false;
    bool middle = false;
};

enum class CloseAction { None, Hide, Free, Minimize };

}  // namespace platform
