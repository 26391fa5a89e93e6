#pragma once

#include "platform/raster/bitmap.h"

#include <string>
#include <vector>

// Pictures as ASCII rows, '#' for any pixel that is not white and '.' for white, so that a failing
// expectation shows both pictures.
inline std::vector<std::string> rowsOf(const raster::Bitmap& bitmap, int left, int top, int width, int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) row += bitmap.pixel(x, y) == raster::White ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

inline std::vector<std::string> rowsOf(const raster::Bitmap& bitmap) {
    return rowsOf(bitmap, 0, 0, bitmap.width(), bitmap.height());
}

inline int blackCount(const raster::Bitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) count += bitmap.pixel(x, y) != raster::White;
    return count;
}
