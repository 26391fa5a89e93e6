#pragma once

#include "platform/services.h"

#include <QMimeData>

#include <memory>

namespace platform::qt {

// The system clipboard through Qt. A picture goes out as an image, which Qt offers to other programs
// in every image format it can write (PNG and BMP among them), and any image Qt can read comes in.
// The X11 clipboard has no lock, so opening it never fails here.
//
// What is emptied and put while the clipboard is open reaches the system in one piece when it closes:
// a Wayland compositor takes one new selection per input event (weston keeps the first and drops the
// rest), so emptying and then putting the picture as two selections would leave the empty one.
class QtClipboard : public platform::Clipboard {
public:
    bool hasBitmap() override;
    void open() override {}
    void empty() override;
    void putBitmap(const raster::Bitmap& bitmap) override;
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override;
    void close() override;

private:
    std::unique_ptr<QMimeData> m_content;
};

}  // namespace platform::qt
