#pragma once

#include "platform/raster/bitmap.h"

#include <iosfwd>
#include <string>

// Reference scripts for the drawing surface: a text list of drawing calls (canvas, pen, brush,
// moveto, lineto, rectangle, ellipse, roundrect, pixel, fillrect, floodfill, beginpath, endpath,
// strokepath, invert) replayed on a Canvas, and plain PBM pictures to hold the result against.
namespace raster {

// Replays a script on a fresh canvas and returns its bitmap. Throws std::runtime_error naming the
// line when a line cannot be understood.
Bitmap replayOps(std::istream& script);

// Plain "P1" PBM: 1 for any pixel that is not exactly white.
std::string toPbm(const Bitmap& bitmap);
// Reads a plain PBM; black pixels become Black. Throws std::runtime_error when it is malformed.
Bitmap readPbm(std::istream& in);

}  // namespace raster
