#pragma once

#include "platform/geometry.h"
#include "platform/raster/bitmap.h"

#include <algorithm>
#include <vector>

// The bottom layer every figure is built on: clipped runs of one colour. Shapes are decomposed
// into runs, rectangles and polygons here; nothing above this layer writes pixels.
namespace raster::detail {

using platform::Point;

// Rows y0..y1-1, columns x0..x1-1.
struct Band {
    int y0 = 0;
    int y1 = 0;
    int x0 = 0;
    int x1 = 0;
};

// A run of a flood fill still to look at: row y, columns left..right, under (dir = 1) or above
// (dir = -1) a run that has just been filled.
struct FloodRun {
    int y = 0;
    int left = 0;
    int right = 0;
    int dir = 0;
};

// Where runs go: painted onto a bitmap, or recorded to be painted again elsewhere. Rows outside
// [rowBegin(), rowEnd()) are never asked for.
class SpanSink {
public:
    virtual void span(int y, int x0, int x1) = 0;
    virtual int rowBegin() const = 0;
    virtual int rowEnd() const = 0;

    void rect(int left, int top, int right, int bottom) {
        top = std::max(top, rowBegin());
        bottom = std::min(bottom, rowEnd());
        for (int y = top; y < bottom; ++y) span(y, left, right);
    }

protected:
    ~SpanSink() = default;
};

class SpanPainter final : public SpanSink {
public:
    SpanPainter(Bitmap& bitmap, Color color) : m_bitmap(bitmap), m_color(color) {}

    int width() const { return m_bitmap.width(); }
    int height() const { return m_bitmap.height(); }
    int rowBegin() const override { return 0; }
    int rowEnd() const override { return m_bitmap.height(); }

    void span(int y, int x0, int x1) override {
        if (y < 0 || y >= m_bitmap.height()) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, m_bitmap.width());
        if (x0 < x1) {
            Color* row = m_bitmap.span(y, x0, x1);
            std::fill(row + x0, row + x1, m_color);
        }
    }

    void point(int x, int y) {
        if (m_bitmap.contains(x, y)) m_bitmap.span(y, x, x + 1)[x] = m_color;
    }

    void band(const Band& b, int dx = 0, int dy = 0) { rect(b.x0 + dx, b.y0 + dy, b.x1 + dx, b.y1 + dy); }

private:
    Bitmap& m_bitmap;
    Color m_color;
};

// Fills the polygon under the even-odd rule, sampling the integer corner of each pixel: pixel (x, y)
// is covered when the point (x, y) is inside, with left and top edges inside and right and bottom
// edges outside. Horizontal edges count for nothing.
void fillPolygon(SpanSink& sink, const Point* points, int count);

// The region of a box with rounded corners, as bands: the box [left, right) x [top, bottom) with
// corners cut by an ellipse of cornerWidth x cornerHeight (magnitudes, clamped to the box).
// `insets` is scratch space kept by the caller so that no call allocates once it has grown.
void roundRectRegion(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                     std::vector<int>& insets, std::vector<Band>& out);

// One quarter of the outline of an ew x eh ellipse, from the right end of the middle row to the
// top: points (x, y) with x counted from the left and y upward from the bottom edge of the ew x eh
// box. Consecutive points touch at an edge or a corner.
void ellipseQuadrant(int ew, int eh, std::vector<Point>& out);

}  // namespace raster::detail
