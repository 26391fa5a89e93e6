#pragma once

#include "platform/raster/color.h"

#include <cstddef>
#include <vector>

namespace raster {

// A plain copyable picture of 0xRRGGBB pixels, white when created. A bitmap of 0 x 0 is "no picture".
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = White);

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

    Color* row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const Color* row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Color> m_pixels;
};

}  // namespace raster
