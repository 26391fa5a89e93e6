#pragma once

namespace platform::qt {

// Registers the pictures and help pages compiled into the program. The resources live in a static
// library, whose registration the linker would otherwise drop; calling this more than once is harmless.
void loadResources();

}  // namespace platform::qt
