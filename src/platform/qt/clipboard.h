#pragma once

#include "platform/qt/x11_selection.h"
#include "platform/services.h"

#include <QMimeData>

#include <memory>

namespace pictures {
class TopLeftReader;
}

namespace platform::qt {

// The system clipboard through Qt. A picture goes out as an image, which Qt offers to other programs
// in every image format it can write (PNG and BMP among them). A picture from another program comes
// in under any picture type Qt can read, or an older name of one; only its top-left part that lands
// in the document is decoded. On X11 another program's clipboard is read over a connection of our
// own with every wait bounded, so that an owner that has stopped answering cannot freeze the window.
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
    std::optional<std::vector<std::string>> offeredTypes();
    bool readPayload(const std::string& type, pictures::TopLeftReader& reader);

    X11Selection m_x11;
    // What Copy, Cut and Clear Clipboard leave while the clipboard is open, handed over as one
    // selection when it closes.
    std::unique_ptr<QMimeData> m_content;
};

}  // namespace platform::qt
