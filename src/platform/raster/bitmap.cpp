#include "platform/raster/bitmap.h"

#include <algorithm>

namespace raster {

Bitmap::Bitmap(int width, int height, Color fill) {
    reset(width, height, fill);
}

Color Bitmap::pixel(int x, int y) const {
    return contains(x, y) ? row(y)[x] : White;
}

void Bitmap::setPixel(int x, int y, Color color) {
    if (contains(x, y)) row(y)[x] = color;
}

void Bitmap::reset(int width, int height, Color fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

void Bitmap::fill(Color color) {
    std::fill(m_pixels.begin(), m_pixels.end(), color);
}

}  // namespace raster
