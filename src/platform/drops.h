#pragma once

#include "platform/raster/bitmap.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// What a drag brings over the window, as far as the program needs to know it. While it is dragged
// only its kind is looked at; the picture is read once it is dropped.
class DragContent {
public:
    virtual ~DragContent() = default;
    // The local files it brings, by their paths; empty when it brings none.
    virtual std::vector<std::string> files() const = 0;
    // Whether it is one picture of a type the system reads: a single such file, or a picture's data.
    virtual bool isPicture() const = 0;
    // The top-left part of that picture, at most maxWidth x maxHeight, read within the bounds a pasted
    // picture is read within; nothing when it cannot be read.
    virtual std::optional<raster::Bitmap> picture(int maxWidth, int maxHeight) = 0;
};

}  // namespace platform
