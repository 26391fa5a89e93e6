#pragma once

#include "platform/services.h"

namespace platform::qt {

// The system clipboard through Qt. A picture goes out as an image, which Qt offers to other programs
// in every image format it can write (PNG and BMP among them), and any image Qt can read comes in.
// The X11 clipboard has no lock, so opening it never fails here.
class QtClipboard : public platform::Clipboard {
public:
    bool hasBitmap() override;
    void open() override {}
    void empty() override;
    void putBitmap(const raster::Bitmap& bitmap) override;
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override;
    void close() override {}
};

}  // namespace platform::qt
