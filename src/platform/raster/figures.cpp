#include "platform/raster/canvas.h"

#include "platform/raster/stroke.h"

#include <algorithm>
#include <cstdlib>

namespace raster {

using platform::Point;

void Canvas::rectangle(int x1, int y1, int x2, int y2) {
    drawBox(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void Canvas::ellipse(int x1, int y1, int x2, int y2) {
    drawFigure(x1, y1, x2, y2, x2 - x1, y2 - y1);
}

void Canvas::roundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    drawFigure(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void Canvas::drawBox(int left, int top, int right, int bottom) {
    if (left == right || top == bottom) return;
    // A 1 x 1 box has four empty sides. The thin pen draws nothing for it, and so do wide pens,
    // rather than a blot the size of the pen.
    if (right - left == 1 && bottom - top == 1) return;

    if (!m_brush.clear) {
        // A wide outline is centred on the border and covers the interior's edge pixels anyway.
        const int inset = m_pen.width > 1 ? 0 : 1;
        detail::SpanPainter(*m_bitmap, m_brush.color).rect(left + inset, top + inset, right - 1, bottom - 1);
    }
    const Point corners[4] = {{right - 1, top}, {left, top}, {left, bottom - 1}, {right - 1, bottom - 1}};
    detail::SpanPainter painter(*m_bitmap, m_pen.color);
    detail::strokePolyline(painter, m_pen, m_shapes, corners, 4, true);
}

void Canvas::drawFigure(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int right = std::max(x1, x2);
    const int bottom = std::max(y1, y2);
    if (left == right || top == bottom) return;
    const int ew = std::min(right - left, std::abs(cornerWidth));
    const int eh = std::min(bottom - top, std::abs(cornerHeight));
    if (ew <= 2 || eh <= 2) {
        drawBox(left, top, right, bottom);
        return;
    }

    if (!m_brush.clear) {
        detail::roundRectRegion(left, top, right, bottom, ew, eh, m_insets, m_bands);
        detail::SpanPainter painter(*m_bitmap, m_brush.color);
        for (const detail::Band& band : m_bands) painter.band(band);
    }

    // The corner quarter goes to the top-right corner, then is mirrored across the box's middle
    // column and middle row. A corner as wide (tall) as an odd box shares its middle point.
    detail::ellipseQuadrant(ew, eh, m_points);
    int count = static_cast<int>(m_points.size());
    m_points.resize(static_cast<std::size_t>(count) * 4);
    for (int i = 0; i < count; ++i) m_points[i] = {right - ew + m_points[i].x, top + eh - 1 - m_points[i].y};

    int end = 2 * count - 1;
    if (ew % 2 == 1 && ew == right - left) --end;
    for (int i = 0; i < count; ++i) m_points[end - i] = {left + right - 1 - m_points[i].x, m_points[i].y};
    count = end + 1;

    end = 2 * count - 1;
    if (eh % 2 == 1 && eh == bottom - top) --end;
    for (int i = 0; i < count; ++i) m_points[end - i] = {m_points[i].x, top + bottom - 1 - m_points[i].y};
    count = end + 1;

    detail::SpanPainter painter(*m_bitmap, m_pen.color);
    detail::strokePolyline(painter, m_pen, m_shapes, m_points.data(), count, true);
}

}  // namespace raster
