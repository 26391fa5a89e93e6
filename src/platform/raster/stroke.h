#pragma once

#include "platform/raster/canvas.h"
#include "platform/raster/pen_shapes.h"

// Lines and polylines with each kind of pen. A thin line covers the start pixel and leaves out the
// end pixel; a wide pen widens every segment on its own and adds caps and joins as separate pieces.
namespace raster::detail {

// The thin line from a to b, end pixel left out; nothing when a == b.
void thinLine(SpanPainter& painter, Point a, Point b);

// Draws one call's worth of points (a line-to, a stroked path figure or a figure's outline) with
// the pen. `closed` joins the last point back to the first.
void strokePolyline(SpanPainter& painter, const Pen& pen, PenShapes& shapes, const Point* points, int count,
                    bool closed);

}  // namespace raster::detail
