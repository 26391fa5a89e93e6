#pragma once

#include <cstdint>

namespace raster {

// 0xRRGGBB. Only exact 0xFFFFFF counts as white anywhere in the program.
using Color = std::uint32_t;

inline constexpr Color Black = 0x000000;
inline constexpr Color White = 0xFFFFFF;
// The face of the window and its controls.
inline constexpr Color Silver = 0xC0C0C0;

}  // namespace raster
