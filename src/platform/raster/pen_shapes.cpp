#include "platform/raster/pen_shapes.h"

#include <algorithm>
#include <iterator>

namespace raster::detail {

void PenShapes::use(int penWidth, bool squarePen) {
    if (penWidth == width && squarePen == square) return;
    width = penWidth;
    square = squarePen;
    runs.clear();
    std::fill(std::begin(bodies), std::end(bodies), Piece());
    std::fill(std::begin(joins), std::end(joins), Piece());
    dot = PenDot();
    std::vector<int> insets;
    std::vector<Band> bands;
    // The dot is the ellipse filling a width x width box; at even widths it sits half a pixel up
    // and left of its point.
    const int half = penWidth / 2;
    roundRectRegion(-half, -half, (penWidth + 1) / 2, (penWidth + 1) / 2, penWidth, penWidth, insets, bands);
    for (const Band& b : bands) {
        if (dot.count < static_cast<int>(std::size(dot.bands))) dot.bands[dot.count++] = b;
    }
}

}  // namespace raster::detail
