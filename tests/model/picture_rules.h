#pragma once

#include "platform/raster/bitmap.h"

#include <string>

// What the whole-picture commands must make of a document, worked out plainly pixel by pixel.
namespace model {

// Black and white swapped.
raster::Bitmap inverted(raster::Bitmap picture);

// Turned upside down (Flip), or left to right (Mirror).
raster::Bitmap turned(const raster::Bitmap& picture, bool upsideDown);

// The pasted picture, reduced to black and white, laid over the document's top-left corner and cut
// off at its edges.
raster::Bitmap pastedOver(raster::Bitmap document, const raster::Bitmap& pasted);

// "" when the two pictures are equal, else what is compared and both pictures side by side.
std::string differs(const char* what, const raster::Bitmap& expected, const raster::Bitmap& got);

}  // namespace model
