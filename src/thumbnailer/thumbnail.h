#pragma once

#include "platform/raster/bitmap.h"

#include <cstdint>
#include <vector>

// What a file manager shows of a picture: the picture enlarged by a whole factor, so that every pixel
// stays a crisp square, as a PNG.
namespace thumbnailer {

// The largest whole factor at which a width x height picture fits a size x size square; a picture
// larger than the square keeps its own size rather than lose pixels.
int scaleFactor(int width, int height, int size);

// The picture enlarged factor times in both directions as a one-bit greyscale PNG: exact white is
// white, everything else black.
std::vector<std::uint8_t> pngBytes(const raster::Bitmap& picture, int factor);

}  // namespace thumbnailer
