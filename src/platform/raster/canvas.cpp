#include "platform/raster/canvas.h"

#include "platform/raster/stroke.h"

#include <algorithm>

namespace raster {

using platform::Point;

Canvas::Canvas(Bitmap& bitmap) : m_bitmap(&bitmap) {}

void Canvas::setPen(const Pen& pen) {
    m_pen = pen;
    m_pen.width = std::clamp(pen.width, 1, 8);
}

void Canvas::setPenColor(Color color) {
    m_pen.color = color;
}

void Canvas::setPenWidth(int width) {
    Pen pen = m_pen;
    pen.width = width;
    setPen(pen);
}

void Canvas::moveTo(int x, int y) {
    m_position = {x, y};
    if (m_recording) m_newFigure = true;
}

void Canvas::lineTo(int x, int y) {
    const Point to{x, y};
    if (m_recording) {
        if (m_newFigure) {
            m_figureStarts.push_back(static_cast<int>(m_path.size()));
            m_path.push_back(m_position);
            m_newFigure = false;
        }
        m_path.push_back(to);
    } else {
        drawLine(m_position, to);
    }
    m_position = to;
}

void Canvas::drawLine(Point from, Point to) {
    const Point points[2] = {from, to};
    detail::SpanPainter painter(*m_bitmap, m_pen.color);
    detail::strokePolyline(painter, m_pen, m_shapes, points, 2, false);
}

void Canvas::setPixel(int x, int y, Color color) {
    m_bitmap->setPixel(x, y, color);
}

void Canvas::fillRect(const platform::Rect& rect) {
    if (m_brush.clear) return;
    // A reversed extent keeps its first column or row, as the classic library fills it.
    int left = rect.left;
    int right = rect.right;
    int top = rect.top;
    int bottom = rect.bottom;
    if (left > right) {
        left = rect.right + 1;
        right = rect.left + 1;
    }
    if (top > bottom) {
        top = rect.bottom + 1;
        bottom = rect.top + 1;
    }
    detail::SpanPainter(*m_bitmap, m_brush.color).rect(left, top, right, bottom);
}

void Canvas::beginPath() {
    m_recording = true;
    m_pathReady = false;
    m_newFigure = true;
    m_path.clear();
    m_figureStarts.clear();
}

void Canvas::endPath() {
    if (!m_recording) return;
    m_recording = false;
    m_pathReady = true;
}

void Canvas::strokePath() {
    if (!m_pathReady) return;
    detail::SpanPainter painter(*m_bitmap, m_pen.color);
    const int figures = static_cast<int>(m_figureStarts.size());
    for (int i = 0; i < figures; ++i) {
        const int start = m_figureStarts[i];
        const int end = i + 1 < figures ? m_figureStarts[i + 1] : static_cast<int>(m_path.size());
        detail::strokePolyline(painter, m_pen, m_shapes, m_path.data() + start, end - start, false);
    }
    m_pathReady = false;
    m_path.clear();
    m_figureStarts.clear();
}

}  // namespace raster
