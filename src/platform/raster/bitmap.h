#pragma once

#include "platform/geometry.h"
#include "platform/raster/color.h"

#include <cstddef>
#include <vector>

namespace raster {

// A plain copyable picture of 0xRRGGBB pixels, white when created. A bitmap of 0 x 0 is "no picture".
// It keeps the rectangle it may have changed since it was last asked (takeChanged()), so that whoever
// shows it compares only that part with what is on screen: every way to write pixels marks what it
// reaches, a row handed out for writing marks the whole row.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = White);
    Bitmap(const Bitmap&) = default;
    Bitmap(Bitmap&&) = default;
    // A bitmap that takes another's pixels has changed everywhere.
    Bitmap& operator=(const Bitmap& other);
    Bitmap& operator=(Bitmap&& other) noexcept;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Outside the bitmap pixel() answers White and setPixel() does nothing.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color color);

    // Re-creates the bitmap at the new size, all white; 0 x 0 empties it.
    void reset(int width, int height, Color fill = White);
    void fill(Color color);

    Color* row(int y) {
        markChanged(0, y, m_width, y + 1);
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }
    const Color* row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    // Row y for writing the pixels from left up to right only.
    Color* span(int y, int left, int right) {
        markChanged(left, y, right, y + 1);
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }

    // The rectangle written since the last call, clipped to the bitmap, and forgets it; empty when
    // nothing was. Pixels in it may also have been written with the colour they had.
    platform::Rect takeChanged();

    // Equal in size and pixels; what each has marked as changed does not count.
    friend bool operator==(const Bitmap& a, const Bitmap& b) {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_pixels == b.m_pixels;
    }

private:
    void markChanged(int left, int top, int right, int bottom) {
        if (m_changed.left >= m_changed.right) {
            m_changed = {left, top, right, bottom};
            return;
        }
        if (left < m_changed.left) m_changed.left = left;
        if (top < m_changed.top) m_changed.top = top;
        if (right > m_changed.right) m_changed.right = right;
        if (bottom > m_changed.bottom) m_changed.bottom = bottom;
    }
    void markAllChanged() { markChanged(0, 0, m_width, m_height); }

    int m_width = 0;
    int m_height = 0;
    std::vector<Color> m_pixels;
    platform::Rect m_changed;
};

}  // namespace raster
