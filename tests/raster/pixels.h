#pragma once

#include "platform/raster/bitmap.h"
#include "tests/support/picture_rows.h"

using support::pictureRows;

inline int blackCount(const raster::Bitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) count += bitmap.pixel(x, y) != raster::White;
    return count;
}
