#include "platform/qt/clipboard.h"

#include "platform/qt/convert.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform::qt {

bool QtClipboard::hasBitmap() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

// Clearing gives up the clipboard only where the program owns it, and on Wayland not even then; taking
// it over with no data at all empties it whoever put the picture there.
void QtClipboard::empty() { m_content = std::make_unique<QMimeData>(); }

void QtClipboard::putBitmap(const raster::Bitmap& bitmap) {
    if (!m_content) m_content = std::make_unique<QMimeData>();
    m_content->setImageData(toQImage(bitmap));
}

void QtClipboard::close() {
    if (m_content) QGuiApplication::clipboard()->setMimeData(m_content.release());
}

std::optional<raster::Bitmap> QtClipboard::bitmap(int maxWidth, int maxHeight) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage()) return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    // Qt gives no image when the bytes do not decode, or when the picture is too large for its
    // reader's memory limit; either way there is no bitmap to paste.
    if (image.isNull()) return std::nullopt;
    return bitmapFromImage(image, maxWidth, maxHeight);
}

}  // namespace platform::qt
