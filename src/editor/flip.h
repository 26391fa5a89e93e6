#pragma once

#include "platform/raster/bitmap.h"

// Whole-bitmap reversals for the Image menu. They work in place on any bitmap: Flip maps pixel (x, y)
// to (x, H - 1 - y), Mirror maps it to (W - 1 - x, y).
namespace editor {

void FlipVertical(raster::Bitmap& bitmap);
void FlipHorizontal(raster::Bitmap& bitmap);

}  // namespace editor
