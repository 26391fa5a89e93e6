#include "platform/qt/clipboard.h"

#include "platform/pictures/top_left_reader.h"
#include "platform/qt/convert.h"
#include "platform/qt/picture_reading.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace platform::qt {

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

// Qt keeps the clipboard in this process when the program put it there, and on platforms without
// a system clipboard (offscreen); then the picture is at hand as an image.
bool heldInProcess() {
    const QString platform = QGuiApplication::platformName();
    return QGuiApplication::clipboard()->ownsClipboard() ||
           (platform != QStringLiteral("xcb") && !platform.startsWith(QStringLiteral("wayland")));
}

std::vector<std::string> formatsOf(const QMimeData& data) {
    std::vector<std::string> types;
    for (const QString& format : data.formats()) types.push_back(format.toStdString());
    return types;
}

std::optional<raster::Bitmap> inProcessBitmap(int maxWidth, int maxHeight) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage()) return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return std::nullopt;
    return bitmapFromImage(image, maxWidth, maxHeight);
}

}  // namespace

std::optional<std::vector<std::string>> QtClipboard::offeredTypes() {
    if (onX11()) return m_x11.targets(AnswerBound);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return std::nullopt;
    return formatsOf(*data);
}

bool QtClipboard::hasBitmap() {
    if (heldInProcess()) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasImage();
    }
    const auto types = offeredTypes();
    return types && pictureTypeAmong(*types);
}

// Clearing gives up the clipboard only where the program owns it, and on Wayland not even then; taking
// it over with no data at all empties it whoever put the picture there.
void QtClipboard::empty() {
    m_content = std::make_unique<QMimeData>();
}

void QtClipboard::putBitmap(const raster::Bitmap& bitmap) {
    if (!m_content) m_content = std::make_unique<QMimeData>();
    m_content->setImageData(toQImage(bitmap));
}

void QtClipboard::close() {
    if (m_content) QGuiApplication::clipboard()->setMimeData(m_content.release());
}

std::optional<raster::Bitmap> QtClipboard::bitmap(int maxWidth, int maxHeight) {
    if (heldInProcess()) return inProcessBitmap(maxWidth, maxHeight);
    const auto types = offeredTypes();
    const std::optional<std::string> type = types ? pictureTypeAmong(*types) : std::nullopt;
    if (!type) return std::nullopt;
    pictures::TopLeftReader reader(maxWidth, maxHeight);
    if (!readPayload(*type, reader)) return std::nullopt;
    reader.finish();
    return pictureRead(reader, maxWidth, maxHeight);
}

// On X11 the payload comes piece by piece and stops once the rows that land have arrived. Elsewhere
// Qt hands it over only whole, so it is read whole there.
bool QtClipboard::readPayload(const std::string& type, pictures::TopLeftReader& reader) {
    if (onX11())
        return m_x11.transfer(
            type, [&reader](std::span<const std::uint8_t> bytes) { return reader.feed(bytes); }, AnswerBound);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return false;
    const QByteArray bytes = data->data(QString::fromStdString(type));
    reader.feed({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    return true;
}

}  // namespace platform::qt
