#include "platform/raster/canvas.h"

namespace raster {

// Scanline fill. Each filled run hands its columns to the rows above and below; there every run of
// surface pixels under those columns is widened to its full extent, filled, and handed on in turn.
// Where a widened run sticks out past the run that found it, the overhang is also handed back the
// way it came. Painting at once is safe because the brush colour differs from the surface colour,
// so a painted pixel never matches again; the result is exactly the 4-connected area of the seed.
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
    m_floodRuns.clear();
    {
        Color* row = bitmap.row(y);
        int left = x;
        while (left > 0 && row[left - 1] == surface)
            --left;
        int right = x + 1;
        while (right < width && row[right] == surface)
            ++right;
        std::fill(row + left, row + right, fill);
        m_floodRuns.push_back({y + 1, left, right - 1, 1});
        m_floodRuns.push_back({y - 1, left, right - 1, -1});
    }

    while (!m_floodRuns.empty()) {
        const detail::FloodRun from = m_floodRuns.back();
        m_floodRuns.pop_back();
        if (from.y < 0 || from.y >= height)
            continue;
        Color* row = bitmap.row(from.y);
        int column = from.left;
        while (column <= from.right) {
            if (row[column] != surface) {
                ++column;
                continue;
            }
            int start = column;
            if (start == from.left) {
                while (start > 0 && row[start - 1] == surface)
                    --start;
            }
            int end = column + 1;
            while (end < width && row[end] == surface)
                ++end;
            std::fill(row + start, row + end, fill);
            m_floodRuns.push_back({from.y + from.dir, start, end - 1, from.dir});
            // The row it came from was only looked at under the run that found this one.
            if (start < from.left - 1)
                m_floodRuns.push_back({from.y - from.dir, start, from.left - 2, -from.dir});
            if (end - 1 > from.right + 1)
                m_floodRuns.push_back({from.y - from.dir, from.right + 2, end - 1, -from.dir});
            column = end + 1;
        }
    }
}

}  // namespace raster
