#include "platform/raster/stroke.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

namespace raster::detail {

namespace {

// Rounds half away from zero, the rounding the widened outline is built with.
int roundHalfAway(double f)
{
    return static_cast<int>(f > 0 ? f + 0.5 : f - 0.5);
}

// The end of a widened segment: the two corners across it (start and end, in the order that keeps
// the outline's orientation) and the segment's direction. Joins are built from the end face of one
// segment and the start face of the next.
struct Face {
    Point start;
    Point end;
    int dx = 0;
    int dy = 0;
    bool valid = false;
};

constexpr double MiterLimit = 10.0;

class WideStroker {
public:
    WideStroker(SpanPainter& painter, const Pen& pen, const PenDot& dot)
        : m_painter(painter), m_width(pen.width), m_square(pen.style == PenStyle::Square), m_dot(dot)
    {
    }

    void polyline(const Point* points, int count, bool closed);

private:
    bool segment(Point p1, Point p2, int dx, int dy, bool cap1, bool cap2, Face& face1, Face& face2);
    void cap(Point p);
    void join(Point p, const Face& in, const Face& out);
    bool miter(Point p, Face in, Face out);
    void dot(Point p);

    SpanPainter& m_painter;
    int m_width;
    bool m_square;
    const PenDot& m_dot;
};

void WideStroker::dot(Point p)
{
    for (int i = 0; i < m_dot.count; ++i)
        m_painter.band(m_dot.bands[i], p.x, p.y);
}

void WideStroker::cap(Point p)
{
    // Square caps are part of the segment body; round caps are the pen dot.
    if (!m_square)
        dot(p);
}

bool WideStroker::segment(Point p1, Point p2, int dx, int dy, bool cap1, bool cap2, Face& face1, Face& face2)
{
    const bool square1 = cap1 && m_square;
    const bool square2 = cap2 && m_square;
    const int half = m_width / 2;
    if (dx == 0 && dy == 0)
        return false;

    if (dy == 0) {
        int left = std::min(p1.x, p2.x);
        int right = std::max(p1.x, p2.x);
        const int top = p1.y - half;
        const int bottom = top + m_width;
        if ((square1 && dx > 0) || (square2 && dx < 0))
            left -= half;
        if ((square2 && dx > 0) || (square1 && dx < 0))
            right += half;
        m_painter.rect(left, top, right, bottom);
        if (dx > 0) {
            face1.start = {left, bottom};
            face1.end = {left, top};
            face2.start = {right - 1, top};
            face2.end = {right - 1, bottom};
        } else {
            face1.start = {right, top};
            face1.end = {right, bottom};
            face2.start = {left + 1, bottom};
            face2.end = {left + 1, top};
        }
    } else if (dx == 0) {
        int top = std::min(p1.y, p2.y);
        int bottom = std::max(p1.y, p2.y);
        const int left = p1.x - half;
        const int right = left + m_width;
        if ((square1 && dy > 0) || (square2 && dy < 0))
            top -= half;
        if ((square2 && dy > 0) || (square1 && dy < 0))
            bottom += half;
        m_painter.rect(left, top, right, bottom);
        if (dy > 0) {
            face1.start = {left, top};
            face1.end = {right, top};
            face2.start = {right, bottom - 1};
            face2.end = {left, bottom - 1};
        } else {
            face1.start = {right, bottom};
            face1.end = {left, bottom};
            face2.start = {left, top + 1};
            face2.end = {right, top + 1};
        }
    } else {
        const double length = std::hypot(dx, dy);
        const double widthX = m_width * std::abs(dy) / length;
        const double widthY = m_width * std::abs(dx) / length;
        // The two halves of the width differ by up to a pixel; which side gets the wider half
        // depends on the direction, so that a segment covers the same pixels both ways.
        Point narrow{roundHalfAway(widthX / 2), roundHalfAway(widthY / 2)};
        Point wide{roundHalfAway((widthX + 1) / 2), roundHalfAway((widthY + 1) / 2)};
        if (dx < 0) {
            wide.y = -wide.y;
            narrow.y = -narrow.y;
        }
        if (dy < 0) {
            std::swap(narrow, wide);
            wide.x = -wide.x;
            narrow.x = -narrow.x;
        }
        Point corners[4] = {
            {p1.x - narrow.x, p1.y + narrow.y},
            {p1.x + wide.x, p1.y - wide.y},
            {p2.x + wide.x, p2.y - wide.y},
            {p2.x - narrow.x, p2.y + narrow.y},
        };
        if (square1) {
            for (int i : {0, 1}) {
                corners[i].x -= narrow.y;
                corners[i].y -= narrow.x;
            }
        }
        if (square2) {
            for (int i : {2, 3}) {
                corners[i].x += wide.y;
                corners[i].y += wide.x;
            }
        }
        fillPolygon(m_painter, corners, 4);
        face1.start = corners[0];
        face1.end = corners[1];
        face2.start = corners[2];
        face2.end = corners[3];
    }
    face1.dx = face2.dx = dx;
    face1.dy = face2.dy = dy;
    face1.valid = face2.valid = true;
    return true;
}

bool WideStroker::miter(Point p, Face in, Face out)
{
    long long det = static_cast<long long>(in.dx) * out.dy - static_cast<long long>(in.dy) * out.dx;
    if (det == 0)
        return false;
    if (det < 0) {
        std::swap(in, out);
        det = -det;
    }
    // The tip is where the outer edges of the two segments meet.
    const Point a = in.start;
    const Point b = out.end;
    const double s = static_cast<double>(static_cast<long long>(b.x) * out.dy - static_cast<long long>(b.y) * out.dx) / det;
    const double t = static_cast<double>(static_cast<long long>(a.x) * in.dy - static_cast<long long>(a.y) * in.dx) / det;
    const double x = s * in.dx - t * out.dx;
    const double y = s * in.dy - t * out.dy;
    if (((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y)) * 4 > MiterLimit * MiterLimit * m_width * m_width)
        return false;
    const Point shape[5] = {out.start, in.start, {roundHalfAway(x), roundHalfAway(y)}, out.end, in.end};
    fillPolygon(m_painter, shape, 5);
    return true;
}

void WideStroker::join(Point p, const Face& in, const Face& out)
{
    if (!m_square) {
        dot(p);
        return;
    }
    // A join between faces that were never built (a figure of nothing but empty segments) has no
    // shape; it is left out.
    if (!in.valid || !out.valid)
        return;
    if (miter(p, in, out))
        return;
    const Point bevel[4] = {in.start, out.end, in.end, out.start};
    fillPolygon(m_painter, bevel, 4);
}

void WideStroker::polyline(const Point* points, int count, bool closed)
{
    // Repeated points at either end add nothing but would spoil the caps.
    while (count > 2 && points[0] == points[1]) {
        ++points;
        --count;
    }
    while (count > 2 && points[count - 1] == points[count - 2])
        --count;

    const int segments = closed ? count : count - 1;
    const Point first = points[0];
    const Point last = closed ? points[0] : points[count - 1];
    auto at = [&](int i) { return points[i % count]; };
    auto delta = [&](int i) {
        return Point{at(i + 1).x - at(i).x, at(i + 1).y - at(i).y};
    };

    if (!closed) {
        cap(first);
        cap(last);
    }
    Face face1, face2, previous, firstFace;
    if (segments == 1) {
        const Point d = delta(0);
        segment(first, last, d.x, d.y, true, true, face1, face2);
        return;
    }

    Point d = delta(0);
    segment(first, at(1), d.x, d.y, !closed, false, firstFace, previous);
    for (int i = 1; i < segments - 1; ++i) {
        d = delta(i);
        if (segment(at(i), at(i + 1), d.x, d.y, false, false, face1, face2)) {
            join(at(i), previous, face1);
            previous = face2;
        }
    }
    d = delta(segments - 1);
    segment(at(segments - 1), last, d.x, d.y, false, !closed, face1, face2);
    join(at(segments - 1), previous, face1);
    if (closed)
        join(last, face2, firstFace);
}

}  // namespace

PenDot makePenDot(int width)
{
    PenDot dot;
    std::vector<int> insets;
    std::vector<Band> bands;
    const int half = width / 2;
    roundRectRegion(-half, -half, (width + 1) / 2, (width + 1) / 2, width, width, insets, bands);
    for (const Band& b : bands) {
        if (dot.count < static_cast<int>(std::size(dot.bands)))
            dot.bands[dot.count++] = b;
    }
    return dot;
}

void strokePolyline(SpanPainter& painter, const Pen& pen, const PenDot& dot, const Point* points, int count,
                    bool closed)
{
    if (count < 2)
        return;
    if (pen.width <= 1) {
        for (int i = 0; i + 1 < count; ++i)
            thinLine(painter, points[i], points[i + 1]);
        if (closed)
            thinLine(painter, points[count - 1], points[0]);
        return;
    }
    WideStroker(painter, pen, dot).polyline(points, count, closed);
}

}  // namespace raster::detail
