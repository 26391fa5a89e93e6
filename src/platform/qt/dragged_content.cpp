#include "platform/qt/dragged_content.h"

#include "platform/qt/convert.h"
#include "platform/qt/picture_reading.h"
#include "platform/qt/x11_selection.h"

#include <QGuiApplication>
#include <QImage>
#include <QUrl>

#include <algorithm>

namespace platform::qt {

namespace {

// A list of files longer than this is not one a single-document editor takes.
constexpr std::size_t MaxAddressListBytes = 64 * 1024;
const std::string AddressListType = "text/uri-list";

bool onX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

// One connection for every drag, made at the first.
X11Selection& dragSelection() {
    static X11Selection selection("XdndSelection");
    return selection;
}

// Hands the payload of one type to take() as it arrives; answers false when it could not be had.
bool readPayload(const QMimeData& data, const std::string& type,
                 const std::function<bool(std::span<const std::uint8_t>)>& take) {
    if (onX11()) return dragSelection().transfer(type, take, AnswerBound);
    const QByteArray bytes = data.data(QString::fromStdString(type));
    take({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    return true;
}

std::optional<QByteArray> addressList(const QMimeData& data) {
    QByteArray list;
    bool tooLong = false;
    const bool read = readPayload(data, AddressListType, [&](std::span<const std::uint8_t> bytes) {
        list.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        tooLong = static_cast<std::size_t>(list.size()) > MaxAddressListBytes;
        return !tooLong;
    });
    if (!read || tooLong) return std::nullopt;
    return list;
}

}  // namespace

DraggedContent::DraggedContent(const QMimeData& data) : m_data(&data) {
    for (const QString& format : data.formats()) m_types.push_back(format.toStdString());
    if (std::find(m_types.begin(), m_types.end(), AddressListType) == m_types.end()) return;
    const std::optional<QByteArray> list = addressList(data);
    if (!list) {
        m_otherAddresses = true;
        return;
    }
    for (const QByteArray& line : list->split('\n')) {
        const QByteArray address = line.trimmed();
        if (address.isEmpty() || address.startsWith('#')) continue;
        const QUrl url = QUrl::fromEncoded(address);
        if (url.isLocalFile())
            m_files.push_back(url.toLocalFile().toStdString());
        else
            m_otherAddresses = true;
    }
}

// Files are judged by their names alone while they are dragged; what they hold is read at the drop.
bool DraggedContent::isPicture() const {
    if (m_files.size() == 1) return !m_otherAddresses && isPictureFileName(m_files.front());
    if (!m_files.empty()) return false;
    // Qt would fetch an image of another program's with its own long waits; its own drags are at hand.
    return pictureTypeAmong(m_types).has_value() || (!onX11() && m_data && m_data->hasImage());
}

std::optional<raster::Bitmap> DraggedContent::picture(int maxWidth, int maxHeight) {
    if (!isPicture()) return std::nullopt;
    if (m_files.size() == 1) return readPictureFile(m_files.front(), maxWidth, maxHeight);
    if (!m_data) return std::nullopt;
    if (const std::optional<std::string> type = pictureTypeAmong(m_types)) {
        pictures::TopLeftReader reader(maxWidth, maxHeight);
        if (!readPayload(*m_data, *type, [&reader](std::span<const std::uint8_t> bytes) { return reader.feed(bytes); }))
            return std::nullopt;
        reader.finish();
        return pictureRead(reader, maxWidth, maxHeight);
    }
    const QImage image = qvariant_cast<QImage>(m_data->imageData());
    if (image.isNull()) return std::nullopt;
    return bitmapFromImage(image, maxWidth, maxHeight);
}

DraggedContent DraggedContent::filesAlone() const {
    DraggedContent content;
    content.m_files = m_files;
    content.m_otherAddresses = m_otherAddresses;
    return content;
}

}  // namespace platform::qt
