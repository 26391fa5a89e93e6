#pragma once

#include "platform/raster/bitmap.h"

namespace editor {

// Reduces a pasted picture to the document's two colours in place: a pixel whose red, green and blue
// are all 255 stays white, every other colour becomes black.
void reduceToBlackAndWhite(raster::Bitmap& bitmap);

}  // namespace editor
