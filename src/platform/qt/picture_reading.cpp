#include "platform/qt/picture_reading.h"

#include "platform/pictures/picture_types.h"
#include "platform/qt/convert.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeDatabase>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform::qt {

namespace {

// Formats that Qt decodes whole are refused beyond this many pixels unless their reader can cut out
// the top-left part itself.
constexpr qint64 MaxWholeDecodedPixels = 4096 * 4096;
constexpr int MaxDecodedMegabytes = 64;

bool decodable(const std::string& canonical) {
    if (pictures::pictureTypeRank(canonical) < 2) return true;
    return QImageReader::supportedMimeTypes().contains(QByteArray::fromStdString(canonical));
}

// Formats other than PNG and BMP go to Qt's readers, bounded by the size the header claims.
std::optional<raster::Bitmap> decodeWhole(const std::vector<std::uint8_t>& bytes, int maxWidth, int maxHeight) {
    QByteArray array =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&array);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImageReader::setAllocationLimit(MaxDecodedMegabytes);
    const QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ClipRect))
        reader.setClipRect(QRect(0, 0, std::min(size.width(), maxWidth), std::min(size.height(), maxHeight)));
    else if (size.isValid() && qint64(size.width()) * size.height() > MaxWholeDecodedPixels)
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return bitmapFromImage(image, maxWidth, maxHeight);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

std::optional<std::string> pictureTypeAmong(const std::vector<std::string>& types) {
    std::optional<std::string> best;
    int bestRank = 0;
    for (const std::string& type : types) {
        const std::string canonical = pictures::canonicalPictureType(type);
        if (canonical.empty() || !decodable(canonical)) continue;
        const int rank = pictures::pictureTypeRank(canonical);
        if (!best || rank < bestRank) {
            best = type;
            bestRank = rank;
        }
    }
    return best;
}

std::optional<raster::Bitmap> pictureRead(pictures::TopLeftReader& reader, int maxWidth, int maxHeight) {
    switch (reader.state()) {
        case pictures::TopLeftReader::State::Done:
            return reader.takePicture();
        case pictures::TopLeftReader::State::Foreign:
            return decodeWhole(reader.foreignBytes(), maxWidth, maxHeight);
        default:
            return std::nullopt;
    }
}

bool isPictureFileName(const std::string& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path), QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return false;
    return decodable(pictures::canonicalPictureType(type.name().toStdString()));
}

std::optional<raster::Bitmap> readPictureFile(const std::string& path, int maxWidth, int maxHeight) {
    // Opened without waiting, so that a pipe with no writer cannot hold the window.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    pictures::TopLeftReader reader(maxWidth, maxHeight);
    std::vector<std::uint8_t> piece(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(file.get(), piece.data(), piece.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0 || !reader.feed({piece.data(), static_cast<std::size_t>(got)})) break;
    }
    reader.finish();
    return pictureRead(reader, maxWidth, maxHeight);
}

}  // namespace platform::qt
