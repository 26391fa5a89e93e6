#include "editor/black_and_white.h"

namespace editor {

void reduceToBlackAndWhite(raster::Bitmap& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y) {
        raster::Color* row = bitmap.row(y);
        // Only the colour channels count, so a white pixel that arrives with bits above them set
        // still stays white.
        for (int x = 0; x < bitmap.width(); ++x)
            row[x] = (row[x] & raster::White) == raster::White ? raster::White : raster::Black;
    }
}

}  // namespace editor
