#pragma once

#include "platform/raster/spans.h"

#include <cstdint>
#include <vector>

namespace raster::detail {

// The round pen dot of one width, as bands around the point it is centred on.
struct PenDot {
    Band bands[10]{};
    int count = 0;
};

// One end of a widened segment: the two corners across it (in the order that keeps the outline's
// orientation) and the segment's direction. Joins are built from the end face of one segment and
// the start face of the next.
struct Face {
    Point start;
    Point end;
    int dx = 0;
    int dy = 0;
    bool valid = false;
};

// Runs relative to the point a piece was built around.
struct RowSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// The pieces of one wide pen that outlines of ellipses and round rectangles are made of, kept once
// built: the body of every one-pixel step and the join between any two such steps. Both are the
// same wherever they are drawn, so they are worked out once per pen and then only painted.
struct PenShapes {
    enum class State : std::uint8_t { Unknown, Kept, Unkeepable };
    struct Piece {
        State state = State::Unknown;
        int first = 0;
        int count = 0;
        // A body's face corners, or the faces a join was built from, relative to its point.
        Point corners[4];
    };

    // Forgets every piece when the width or kind differs from the one they were built for.
    void use(int width, bool square);

    int width = 0;
    bool square = false;
    PenDot dot;
    std::vector<RowSpan> runs;
    Piece bodies[9];
    Piece joins[81];
};

}  // namespace raster::detail
