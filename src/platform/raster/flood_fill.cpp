#include "platform/raster/canvas.h"

namespace raster {

namespace {

struct Run {
    int start;
    int end;
};

// Widens the run of surface pixels through `column` to the right (and to the left when asked),
// paints it and answers its columns [start, end).
Run fillRun(Color* row, int width, int column, bool widenLeft, Color surface, Color fill) {
    int start = column;
    if (widenLeft) {
        while (start > 0 && row[start - 1] == surface) --start;
    }
    int end = column + 1;
    while (end < width && row[end] == surface) ++end;
    std::fill(row + start, row + end, fill);
    return {start, end};
}

}  // namespace

// Scanline fill. Each filled run hands its columns to the rows above and below; there every run of
// surface pixels under those columns is widened to its full extent, filled, and handed on in turn.
// Where a widened run sticks out past the run that found it, the overhang is also handed back the
// way it came. Painting at once is safe because the brush colour differs from the surface colour,
// so a painted pixel never matches again; the result is exactly the 4-connected area of the seed.
void Canvas::floodFill(int x, int y, Color surface) {
    Bitmap& bitmap = *m_bitmap;
    if (m_brush.clear || !bitmap.contains(x, y) || bitmap.row(y)[x] != surface) return;
    // Filling with the surface's own colour changes nothing.
    const Color fill = m_brush.color;
    if (fill == surface) return;

    const int width = bitmap.width();
    const int height = bitmap.height();
    const Run seed = fillRun(bitmap.row(y), width, x, true, surface, fill);
    m_floodRuns.clear();
    m_floodRuns.push_back({y + 1, seed.start, seed.end - 1, 1});
    m_floodRuns.push_back({y - 1, seed.start, seed.end - 1, -1});

    while (!m_floodRuns.empty()) {
        const detail::FloodRun from = m_floodRuns.back();
        m_floodRuns.pop_back();
        if (from.y < 0 || from.y >= height) continue;
        Color* row = bitmap.row(from.y);
        for (int column = from.left; column <= from.right; ++column) {
            if (row[column] != surface) continue;
            // Only a run reaching the first column can stick out to the left.
            const Run run = fillRun(row, width, column, column == from.left, surface, fill);
            m_floodRuns.push_back({from.y + from.dir, run.start, run.end - 1, from.dir});
            // The row it came from was only looked at under the run that found this one.
            if (run.start < from.left - 1)
                m_floodRuns.push_back({from.y - from.dir, run.start, from.left - 2, -from.dir});
            if (run.end - 1 > from.right + 1)
                m_floodRuns.push_back({from.y - from.dir, from.right + 2, run.end - 1, -from.dir});
            // The pixel at run.end is not of the surface colour (or lies past the edge).
            column = run.end;
        }
    }
}

}  // namespace raster
