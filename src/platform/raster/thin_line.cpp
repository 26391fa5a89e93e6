#include "platform/raster/stroke.h"

#include <cstdlib>

namespace raster::detail {

void thinLine(SpanPainter& painter, Point a, Point b) {
    if (a.y == b.y) {
        // Going left the run is [b+1, a+1): still the start pixel in, the end pixel out.
        if (a.x <= b.x)
            painter.span(a.y, a.x, b.x);
        else
            painter.span(a.y, b.x + 1, a.x + 1);
        return;
    }
    if (a.x == b.x) {
        const int top = a.y <= b.y ? a.y : b.y + 1;
        const int bottom = a.y <= b.y ? b.y : a.y + 1;
        painter.rect(a.x, top, a.x + 1, bottom);
        return;
    }

    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    // Ties round toward the smaller minor coordinate whichever way the line runs: the lines drawn
    // up-left, up-right-shallow and down-left-steep take the bias.
    const bool biased = (dx < 0 && dy > 0 && !xMajor) || (dx < 0 && dy <= 0) || (dx > 0 && dy < 0 && xMajor);
    const int bias = biased ? 1 : 0;
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const int majorStart = xMajor ? a.x : a.y;
    const int minorStart = xMajor ? a.y : a.x;
    const int majorLimit = xMajor ? painter.width() : painter.height();
    const int minorLimit = xMajor ? painter.height() : painter.width();

    // Skip straight to the steps whose major coordinate lies on the bitmap.
    int first = 0;
    int last = major;  // exclusive: the end pixel is left out
    if (majorStep > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart + 1);
    }
    if (first >= last) return;

    // Minor steps taken before step k: ceil((2 k m - M + bias) / 2M) written for k >= 0.
    const long long twoMajor = 2LL * major;
    long long minorSteps = (2LL * first * minor + bias + major - 1) / twoMajor;
    long long err = 2LL * minor - major + 2LL * first * minor - minorSteps * twoMajor;
    int along = majorStart + first * majorStep;
    int across = minorStart + static_cast<int>(minorSteps) * minorStep;
    for (int k = first; k < last; ++k) {
        if (across >= 0 && across < minorLimit) {
            if (xMajor)
                painter.point(along, across);
            else
                painter.point(across, along);
        }
        if (err + bias > 0) {
            across += minorStep;
            err += 2LL * minor - twoMajor;
        } else {
            err += 2LL * minor;
        }
        along += majorStep;
    }
}

}  // namespace raster::detail
