#include "app/main_form.h"
#include "editor/black_and_white.h"
#include "editor/view.h"
#include "platform/errors.h"

namespace {

// Holds the system clipboard open for one operation. The constructor lets "Cannot open clipboard"
// through untouched; once open, the clipboard is closed again on every way out, so that an error
// never leaves it locked for other programs.
class OpenClipboard {
public:
    explicit OpenClipboard(platform::Clipboard& clipboard) : m_clipboard(clipboard) { m_clipboard.open(); }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    // A failing close on the way out of an error must neither hide that error nor end the program.
    ~OpenClipboard() {
        if (!m_closed) try {
                m_clipboard.close();
            } catch (...) {
            }
    }
    platform::Clipboard* operator->() { return &m_clipboard; }
    void close() {
        m_closed = true;
        m_clipboard.close();
    }

private:
    platform::Clipboard& m_clipboard;
    bool m_closed = false;
};

// Only the part of the clipboard's picture that can land in the document is read and reduced, so a
// huge picture costs no more than a small one.
raster::Bitmap readPastedPicture(platform::Clipboard& clipboard, int width, int height) {
    OpenClipboard open(clipboard);
    std::optional<raster::Bitmap> picture = open->bitmap(width, height);
    if (!picture) throw platform::Error("Unsupported clipboard format");
    open.close();
    return std::move(*picture);
}

}  // namespace

void TMainForm::CopyClick(platform::Object*) {
    CopyImg.picture.reset(ImageWidth, ImageHeight);
    editor::copyImageRect(CopyImg, Boxi, ImageRect);
    OpenClipboard open(services.clipboard);
    open->empty();
    open->putBitmap(CopyImg.picture);
    open.close();
}

// Cut and Paste change the picture, so unlike the first releases they mark the document modified:
// otherwise closing right after one would lose the work without the "Save changes?" prompt.
void TMainForm::CutClick(platform::Object* Sender) {
    CopyClick(Sender);
    Boxi.canvas.setCopyMode(raster::CopyMode::Whiteness);
    Boxi.canvas.copyRect(ImageRect, Boxi.canvas, ImageRect);
    Boxi.canvas.setCopyMode(raster::CopyMode::SrcCopy);
    finishChange();
}

// A Paste that finds no bitmap (another program may have emptied the clipboard since the menu
// opened) changes nothing, so it takes no snapshot and marks nothing either.
void TMainForm::PasteClick(platform::Object*) {
    if (ImageWidth == 0 || ImageHeight == 0) return;
    if (!services.clipboard.hasBitmap()) return;
    pastePicture(readPastedPicture(services.clipboard, ImageWidth, ImageHeight));
}

// A picture from outside, reduced to black and white, lands in the top-left corner at its own size.
void TMainForm::pastePicture(raster::Bitmap picture) {
    editor::reduceToBlackAndWhite(picture);
    refreshPreview();
    PikkuBoxi.canvas.draw(0, 0, picture);
    editor::copyImageRect(Boxi, PikkuBoxi, ImageRect);
    finishChange();
}

void TMainForm::ClearClipClick(platform::Object*) {
    OpenClipboard open(services.clipboard);
    open->empty();
    open.close();
}

void TMainForm::EdittiClick(platform::Object*) {
    const bool hasBitmap = services.clipboard.hasBitmap();
    Paste.enabled = hasBitmap;
    ClearClip.enabled = hasBitmap;
    if (Leveys.enabled) Paste.enabled = false;
}
