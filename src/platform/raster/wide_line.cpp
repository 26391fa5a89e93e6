#include "platform/raster/stroke.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

namespace raster::detail {

namespace {

// Rounds half away from zero, the rounding the widened outline is built with.
int roundHalfAway(double f) {
    return static_cast<int>(f > 0 ? f + 0.5 : f - 0.5);
}

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}

Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

bool isStep(int dx, int dy) {
    return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

int stepIndex(int dx, int dy) {
    return (dx + 1) * 3 + (dy + 1);
}

constexpr double MiterLimit = 10.0;

// Records runs into a pen's kept pieces instead of painting them.
class SpanRecorder final : public SpanSink {
public:
    explicit SpanRecorder(std::vector<RowSpan>& runs) : m_runs(runs) {}
    void span(int y, int x0, int x1) override {
        if (x0 < x1) m_runs.push_back({y, x0, x1});
    }
    int rowBegin() const override { return -1000000; }
    int rowEnd() const override { return 1000000; }

private:
    std::vector<RowSpan>& m_runs;
};

class WideStroker {
public:
    WideStroker(SpanPainter& painter, const Pen& pen, PenShapes& shapes)
        : m_painter(painter), m_width(pen.width), m_square(pen.style == PenStyle::Square), m_shapes(shapes) {}

    void polyline(const Point* points, int count, bool closed);

private:
    bool segment(Point p1, Point p2, int dx, int dy, bool cap1, bool cap2, Face& face1, Face& face2);
    void buildSegment(SpanSink& sink, Point p1, Point p2, int dx, int dy, bool square1, bool square2, Face& face1,
                      Face& face2) const;
    void join(Point p, const Face& in, const Face& out);
    void buildJoin(SpanSink& sink, Point p, Face in, Face out);
    void paint(const PenShapes::Piece& piece, Point p);
    void cap(Point p);
    void dot(Point p);

    SpanPainter& m_painter;
    int m_width;
    bool m_square;
    PenShapes& m_shapes;
    bool m_tipOnHalf = false;
};

void WideStroker::dot(Point p) {
    for (int i = 0; i < m_shapes.dot.count; ++i) m_painter.band(m_shapes.dot.bands[i], p.x, p.y);
}

void WideStroker::cap(Point p) {
    // Square caps are part of the segment body; round caps are the pen dot.
    if (!m_square) dot(p);
}

void WideStroker::paint(const PenShapes::Piece& piece, Point p) {
    const RowSpan* run = m_shapes.runs.data() + piece.first;
    for (int i = 0; i < piece.count; ++i, ++run) m_painter.span(run->y + p.y, run->x0 + p.x, run->x1 + p.x);
}

bool WideStroker::segment(Point p1, Point p2, int dx, int dy, bool cap1, bool cap2, Face& face1, Face& face2) {
    if (dx == 0 && dy == 0) return false;
    const bool square1 = cap1 && m_square;
    const bool square2 = cap2 && m_square;
    if (square1 || square2 || !isStep(dx, dy) || p2 - p1 != Point{dx, dy}) {
        buildSegment(m_painter, p1, p2, dx, dy, square1, square2, face1, face2);
        return true;
    }

    PenShapes::Piece& piece = m_shapes.bodies[stepIndex(dx, dy)];
    if (piece.state == PenShapes::State::Unknown) {
        SpanRecorder recorder(m_shapes.runs);
        piece.first = static_cast<int>(m_shapes.runs.size());
        buildSegment(recorder, {0, 0}, {dx, dy}, dx, dy, false, false, face1, face2);
        piece.count = static_cast<int>(m_shapes.runs.size()) - piece.first;
        piece.corners[0] = face1.start;
        piece.corners[1] = face1.end;
        piece.corners[2] = face2.start;
        piece.corners[3] = face2.end;
        piece.state = PenShapes::State::Kept;
    }
    paint(piece, p1);
    face1 = {p1 + piece.corners[0], p1 + piece.corners[1], dx, dy, true};
    face2 = {p1 + piece.corners[2], p1 + piece.corners[3], dx, dy, true};
    return true;
}

void WideStroker::buildSegment(SpanSink& sink, Point p1, Point p2, int dx, int dy, bool square1, bool square2,
                               Face& face1, Face& face2) const {
    const int half = m_width / 2;
    if (dy == 0) {
        int left = std::min(p1.x, p2.x);
        int right = std::max(p1.x, p2.x);
        const int top = p1.y - half;
        const int bottom = top + m_width;
        if ((square1 && dx > 0) || (square2 && dx < 0)) left -= half;
        if ((square2 && dx > 0) || (square1 && dx < 0)) right += half;
        sink.rect(left, top, right, bottom);
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
        if ((square1 && dy > 0) || (square2 && dy < 0)) top -= half;
        if ((square2 && dy > 0) || (square1 && dy < 0)) bottom += half;
        sink.rect(left, top, right, bottom);
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
        fillPolygon(sink, corners, 4);
        face1.start = corners[0];
        face1.end = corners[1];
        face2.start = corners[2];
        face2.end = corners[3];
    }
    face1.dx = face2.dx = dx;
    face1.dy = face2.dy = dy;
    face1.valid = face2.valid = true;
}

void WideStroker::buildJoin(SpanSink& sink, Point p, Face in, Face out) {
    m_tipOnHalf = false;
    long long det = static_cast<long long>(in.dx) * out.dy - static_cast<long long>(in.dy) * out.dx;
    if (det != 0) {
        if (det < 0) {
            std::swap(in, out);
            det = -det;
        }
        // The mitre's tip is where the outer edges of the two segments meet; past the limit of ten
        // half-widths the corner is bevelled instead.
        const Point a = in.start;
        const Point b = out.end;
        const double s =
            static_cast<double>(static_cast<long long>(b.x) * out.dy - static_cast<long long>(b.y) * out.dx) /
            static_cast<double>(det);
        const double t =
            static_cast<double>(static_cast<long long>(a.x) * in.dy - static_cast<long long>(a.y) * in.dx) /
            static_cast<double>(det);
        const double x = s * in.dx - t * out.dx;
        const double y = s * in.dy - t * out.dy;
        if (((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y)) * 4 <= MiterLimit * MiterLimit * m_width * m_width) {
            m_tipOnHalf = std::floor(x) + 0.5 == x || std::floor(y) + 0.5 == y;
            const Point shape[5] = {out.start, in.start, {roundHalfAway(x), roundHalfAway(y)}, out.end, in.end};
            fillPolygon(sink, shape, 5);
            return;
        }
    }
    const Point bevel[4] = {in.start, out.end, in.end, out.start};
    fillPolygon(sink, bevel, 4);
}

void WideStroker::join(Point p, const Face& in, const Face& out) {
    if (!m_square) {
        dot(p);
        return;
    }
    // A join between faces that were never built (a figure of nothing but empty segments) has no
    // shape; it is left out.
    if (!in.valid || !out.valid) return;
    if (!isStep(in.dx, in.dy) || !isStep(out.dx, out.dy)) {
        buildJoin(m_painter, p, in, out);
        return;
    }

    const Point corners[4] = {in.start - p, in.end - p, out.start - p, out.end - p};
    PenShapes::Piece& piece = m_shapes.joins[stepIndex(in.dx, in.dy) * 9 + stepIndex(out.dx, out.dy)];
    if (piece.state == PenShapes::State::Unknown) {
        const std::size_t first = m_shapes.runs.size();
        SpanRecorder recorder(m_shapes.runs);
        buildJoin(recorder, {0, 0}, {corners[0], corners[1], in.dx, in.dy, true},
                  {corners[2], corners[3], out.dx, out.dy, true});
        // A tip halfway between pixels rounds away from zero, which depends on where it is drawn.
        if (m_tipOnHalf) {
            m_shapes.runs.resize(first);
            piece.state = PenShapes::State::Unkeepable;
        } else {
            piece.first = static_cast<int>(first);
            piece.count = static_cast<int>(m_shapes.runs.size() - first);
            std::copy(std::begin(corners), std::end(corners), piece.corners);
            piece.state = PenShapes::State::Kept;
        }
    }
    if (piece.state == PenShapes::State::Kept && std::equal(std::begin(corners), std::end(corners), piece.corners))
        paint(piece, p);
    else
        buildJoin(m_painter, p, in, out);
}

void WideStroker::polyline(const Point* points, int count, bool closed) {
    // Repeated points at either end add nothing but would spoil the caps.
    while (count > 2 && points[0] == points[1]) {
        ++points;
        --count;
    }
    while (count > 2 && points[count - 1] == points[count - 2]) --count;

    const int segments = closed ? count : count - 1;
    const Point first = points[0];
    const Point last = closed ? points[0] : points[count - 1];
    auto at = [&](int i) { return points[i % count]; };

    if (!closed) {
        cap(first);
        cap(last);
    }
    Face face1, face2, previous, firstFace;
    if (segments == 1) {
        const Point d = at(1) - at(0);
        segment(first, last, d.x, d.y, true, true, face1, face2);
        return;
    }

    // Each segment is widened on its own; a join fills the corner between one segment's end face
    // and the next one's start face. An empty segment in the middle is passed over.
    Point d = at(1) - at(0);
    segment(first, at(1), d.x, d.y, !closed, false, firstFace, previous);
    for (int i = 1; i < segments - 1; ++i) {
        d = at(i + 1) - at(i);
        if (segment(at(i), at(i + 1), d.x, d.y, false, false, face1, face2)) {
            join(at(i), previous, face1);
            previous = face2;
        }
    }
    d = at(segments) - at(segments - 1);
    segment(at(segments - 1), last, d.x, d.y, false, !closed, face1, face2);
    join(at(segments - 1), previous, face1);
    if (closed) join(last, face2, firstFace);
}

}  // namespace

void strokePolyline(SpanPainter& painter, const Pen& pen, PenShapes& shapes, const Point* points, int count,
                    bool closed) {
    if (count < 2) return;
    if (pen.width <= 1) {
        for (int i = 0; i + 1 < count; ++i) thinLine(painter, points[i], points[i + 1]);
        if (closed) thinLine(painter, points[count - 1], points[0]);
        return;
    }
    shapes.use(pen.width, pen.style == PenStyle::Square);
    WideStroker(painter, pen, shapes).polyline(points, count, closed);
}

}  // namespace raster::detail
