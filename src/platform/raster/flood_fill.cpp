#include "platform/raster/canvas.h"

namespace raster {

// Scanline fill: each seed is widened to its whole run, the run is painted, and one seed is pushed
// for every run of surface pixels touching it from above or below. Painting at once is safe because
// the brush colour differs from the surface colour, so a painted pixel never matches again.
void Canvas::floodFill(int x, int y, Color surface)
{
    Bitmap& bitmap = *m_bitmap;
    if (m_brush.clear || !bitmap.contains(x, y) || bitmap.row(y)[x] != surface)
        return;
    // Filling with the surface's own colour changes nothing.
    const Color fill = m_brush.color;
    if (fill == surface)
        return;

    const int width = bitmap.width();
    const int height = bitmap.height();
    m_seeds.clear();
    m_seeds.push_back({x, y});
    while (!m_seeds.empty()) {
        const platform::Point seed = m_seeds.back();
        m_seeds.pop_back();
        Color* row = bitmap.row(seed.y);
        if (row[seed.x] != surface)
            continue;
        int left = seed.x;
        while (left > 0 && row[left - 1] == surface)
            --left;
        int right = seed.x + 1;
        while (right < width && row[right] == surface)
            ++right;
        std::fill(row + left, row + right, fill);

        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            const Color* next = bitmap.row(ny);
            int i = left;
            while (i < right) {
                if (next[i] != surface) {
                    ++i;
                    continue;
                }
                m_seeds.push_back({i, ny});
                while (i < right && next[i] == surface)
                    ++i;
            }
        }
    }
}

}  // namespace raster
