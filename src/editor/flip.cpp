#include "editor/flip.h"

#include <algorithm>

namespace editor {

void FlipVertical(raster::Bitmap& bitmap) {
    const int width = bitmap.width();
    for (int top = 0, bottom = bitmap.height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bitmap.row(top), bitmap.row(top) + width, bitmap.row(bottom));
}

void FlipHorizontal(raster::Bitmap& bitmap) {
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) std::reverse(bitmap.row(y), bitmap.row(y) + width);
}

}  // namespace editor
