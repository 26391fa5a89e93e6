#include "platform/raster/spans.h"

#include <cassert>
#include <cstdint>
#include <cstdlib>

namespace raster::detail {

namespace {

// The smallest integer x with x >= num / den, for den > 0.
std::int64_t ceilDiv(std::int64_t num, std::int64_t den) {
    return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

// One non-horizontal polygon edge, walked a row at a time: x is where the edge crosses the current
// row, rounded up, and excess = x * height - (exact crossing * height), kept in [0, height).
struct EdgeWalk {
    int top;
    int bottom;
    std::int64_t x;
    std::int64_t excess;
    std::int64_t height;
    std::int64_t wholeStep;
    std::int64_t partStep;

    void start(Point a, Point b, int firstRow) {
        if (a.y > b.y) std::swap(a, b);
        top = a.y;
        bottom = b.y;
        height = b.y - a.y;
        const std::int64_t run = b.x - a.x;
        // run = wholeStep * height + partStep with 0 <= partStep < height. The pen's pieces are
        // mostly steep and start on the bitmap, so the divisions are usually skipped.
        if (run >= 0 && run < height)
            wholeStep = 0;
        else if (run < 0 && -run <= height)
            wholeStep = -1;
        else
            wholeStep = run >= 0 ? run / height : -ceilDiv(-run, height);
        partStep = run - wholeStep * height;
        x = a.x;
        excess = 0;
        if (firstRow > top) {
            const std::int64_t num = std::int64_t(firstRow - top) * run;
            const std::int64_t offset = ceilDiv(num, height);
            x += offset;
            excess = offset * height - num;
        }
    }

    void step() {
        x += wholeStep;
        excess -= partStep;
        if (excess < 0) {
            ++x;
            excess += height;
        }
    }
};

}  // namespace

void fillPolygon(SpanSink& sink, const Point* points, int count) {
    constexpr int MaxPoints = 8;
    assert(count >= 3 && count <= MaxPoints);
    int top = points[0].y;
    int bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    top = std::max(top, sink.rowBegin());
    bottom = std::min(bottom, sink.rowEnd());
    if (top >= bottom) return;

    EdgeWalk edges[MaxPoints];
    int edgeCount = 0;
    for (int i = 0; i < count; ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % count];
        if (a.y != b.y && std::max(a.y, b.y) > top && std::min(a.y, b.y) < bottom) edges[edgeCount++].start(a, b, top);
    }

    std::int64_t crossings[MaxPoints];
    for (int y = top; y < bottom; ++y) {
        int n = 0;
        for (int i = 0; i < edgeCount; ++i) {
            EdgeWalk& edge = edges[i];
            if (y < edge.top || y >= edge.bottom) continue;
            // Kept sorted as they come: there are only a handful.
            int j = n++;
            for (; j > 0 && crossings[j - 1] > edge.x; --j) crossings[j] = crossings[j - 1];
            crossings[j] = edge.x;
            edge.step();
        }
        // A crossing lies between its edge's end points, so it fits an int.
        for (int i = 0; i + 1 < n; i += 2)
            sink.span(y, static_cast<int>(crossings[i]), static_cast<int>(crossings[i + 1]));
    }
}

void roundRectRegion(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                     std::vector<int>& insets, std::vector<Band>& out) {
    out.clear();
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return;
    const int ew = std::min(right - left, std::abs(cornerWidth));
    const int eh = std::min(bottom - top, std::abs(cornerHeight));
    if (ew < 2 || eh < 2) {
        out.push_back({top, bottom, left, right});
        return;
    }

    // Zingl's integer ellipse walk from the middle row outwards; insets[y] is how far row y of the
    // corner ellipse starts inside the box.
    insets.assign(static_cast<std::size_t>(eh), 0);
    const std::int64_t a = ew - 1;
    const std::int64_t b = eh - 1;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t err = dx + dy + a * a * (b % 2);
    int x = 0;
    int y = eh / 2;
    while (x <= ew / 2) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            if (y + 1 >= eh) break;
            ++y;
            dy += 8 * a * a;
            err += dy;
            insets[y] = x;
        }
    }
    // A narrow, tall corner runs out of columns before it reaches its last row; carrying the last
    // inset on to the end keeps the ellipse whole instead of cutting off its ends.
    for (int row = y + 1; row < eh; ++row) insets[row] = insets[y];

    const int mid = eh / 2;
    for (int i = 0; i < mid; ++i) {
        const int inset = insets[b - i];
        out.push_back({top + i, top + i + 1, left + inset, right - inset});
    }
    out.push_back({top + mid, bottom - eh + mid + 1, left, right});
    for (int i = mid + 1; i < eh; ++i) {
        const int inset = insets[i];
        out.push_back({bottom - eh + i, bottom - eh + i + 1, left + inset, right - inset});
    }
}

void ellipseQuadrant(int ew, int eh, std::vector<Point>& out) {
    out.clear();
    const std::int64_t a = ew - 1;
    const std::int64_t b = eh - 1;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t err = dx + dy + a * a * (b % 2);
    Point p{ew - 1, eh / 2};
    while (p.x >= ew / 2) {
        const std::int64_t e2 = 2 * err;
        out.push_back(p);
        if (e2 >= dx) {
            --p.x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            ++p.y;
            dy += 8 * a * a;
            err += dy;
        }
    }
    // A narrow, tall ellipse runs out of columns before it reaches the top row; finishing the tip
    // straight up keeps it whole instead of flattening its ends.
    Point tip = out.back();
    while (tip.y < eh - 1) {
        ++tip.y;
        out.push_back(tip);
    }
}

}  // namespace raster::detail
