#include "platform/raster/bitmap.h"

#include <algorithm>
#include <utility>

namespace raster {

Bitmap::Bitmap(int width, int height, Color fill) {
    reset(width, height, fill);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this == &other) return *this;
    m_width = other.m_width;
    m_height = other.m_height;
    m_pixels = other.m_pixels;
    markAllChanged();
    return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    m_width = other.m_width;
    m_height = other.m_height;
    m_pixels = std::move(other.m_pixels);
    markAllChanged();
    return *this;
}

Color Bitmap::pixel(int x, int y) const {
    return contains(x, y) ? row(y)[x] : White;
}

void Bitmap::setPixel(int x, int y, Color color) {
    if (contains(x, y)) span(y, x, x + 1)[x] = color;
}

void Bitmap::reset(int width, int height, Color fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * height, fill);
    markAllChanged();
}

void Bitmap::fill(Color color) {
    std::fill(m_pixels.begin(), m_pixels.end(), color);
    markAllChanged();
}

platform::Rect Bitmap::takeChanged() {
    platform::Rect changed{std::max(m_changed.left, 0), std::max(m_changed.top, 0), std::min(m_changed.right, m_width),
                           std::min(m_changed.bottom, m_height)};
    m_changed = {};
    if (changed.left >= changed.right || changed.top >= changed.bottom) return {};
    return changed;
}

}  // namespace raster
