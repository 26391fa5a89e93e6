#pragma once

#include "platform/geometry.h"

#include <cstdint>

namespace editor {

// The values of ShapeKind. The filled tools share the kinds of their outline twins: what fills a
// figure is the view's brush.
enum ShapeKindValue : std::uint8_t { LineShape = 0, RectangleShape = 1, EllipseShape = 2, RoundRectShape = 3 };

// The corner ellipse of a round rectangle between image pixels a (the press) and b: half the box in
// each direction, truncated toward zero and usually negative; the drawing surface uses the magnitudes.
platform::Size roundRectCorner(platform::Point a, platform::Point b);

}  // namespace editor
