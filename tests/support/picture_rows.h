#pragma once

#include "platform/raster/bitmap.h"

#include <string>
#include <vector>

// Pictures as ASCII rows, so that a failing expectation shows both pictures. Needs nothing but the
// drawing surface, so that its own tests use it too.
namespace support {

// '#' is black, '.' white and '?' any other colour, so a wrong grey never passes for either.
inline char rowCharacter(raster::Color color) {
    if (color == raster::Black) return '#';
    if (color == raster::White) return '.';
    return '?';
}

// The rows of a part of the picture, top first.
inline std::vector<std::string> pictureRows(const raster::Bitmap& picture, int left, int top, int width, int height) {
    std::vector<std::string> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = left; x < left + width; ++x)
            rows[static_cast<std::size_t>(y)] += rowCharacter(picture.pixel(x, top + y));
    return rows;
}

inline std::string rowText(const raster::Bitmap& picture, int y) {
    return pictureRows(picture, 0, y, picture.width(), 1).front();
}

inline std::vector<std::string> pictureRows(const raster::Bitmap& picture) {
    return pictureRows(picture, 0, 0, picture.width(), picture.height());
}

}  // namespace support
