#pragma once

#include "platform/raster/color.h"

namespace pictures {

// A pixel as a person sees it over a white page: a fully opaque pixel is its own colour, a fully
// clear one is white, and one in between is mixed with white. Only an opaque white (or a fully clear)
// pixel therefore comes out exactly white.
inline raster::Color overWhite(int red, int green, int blue, int alpha) {
    const auto mix = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; };
    return static_cast<raster::Color>((mix(red) << 16) | (mix(green) << 8) | mix(blue));
}

}  // namespace pictures
