#pragma once

#include "platform/geometry.h"
#include "platform/raster/color.h"

namespace platform {

// The main window's own surface, as its paint handler sees it.
class WindowSurface {
public:
    virtual ~WindowSurface() = default;
    virtual void fillRect(const Rect& rect, raster::Color color) = 0;
};

}  // namespace platform
