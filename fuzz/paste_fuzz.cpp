#include "app/program.h"
#include "platform/errors.h"
#include "platform/pictures/picture_types.h"
#include "platform/pictures/top_left_reader.h"
#include "support/quiet_platform.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>

// Runs the whole of Paste on arbitrary bytes offered under an arbitrary picture type: the type's
// name through the table of other names, the bytes through the row decoders and the reduction to
// black and white into the document. The formats that the Qt host hands to Qt's own readers are
// left out, since Qt is not part of this build; they come out here as no picture.
namespace {

// Offers the fuzzer's bytes as the clipboard's picture, read in the fuzzer's piece size as a transfer
// from another program brings them.
class BytesClipboard : public platform::Clipboard {
public:
    BytesClipboard(std::string type, std::span<const std::uint8_t> bytes, std::size_t piece)
        : m_type(std::move(type)), m_bytes(bytes), m_piece(piece) {}
    bool hasBitmap() override { return !pictures::canonicalPictureType(m_type).empty(); }
    void open() override {}
    void empty() override {}
    void putBitmap(const raster::Bitmap&) override {}
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override {
        pictures::TopLeftReader reader(maxWidth, maxHeight);
        for (std::size_t at = 0; at < m_bytes.size(); at += m_piece)
            if (!reader.feed(m_bytes.subspan(at, std::min(m_piece, m_bytes.size() - at)))) break;
        reader.finish();
        if (reader.state() != pictures::TopLeftReader::State::Done) return std::nullopt;
        return reader.takePicture();
    }
    void close() override {}

private:
    std::string m_type;
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_piece;
};

constexpr std::array<const char*, 9> Types{"image/png",           "image/x-png", "image/bmp",
                                           "IMAGE/X-MS-BMP; x=1", "image/gif",   "image/pjpeg",
                                           "text/plain",          "image/",      "image/x-portable-bitmap"};

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
std::int32_t le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24));
}

// The picture's size as its header states it, read independently of the decoders.
std::optional<std::pair<long, long>> statedSize(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 24 && bytes[0] == 0x89 && bytes[1] == 'P')
        return std::pair<long, long>(be32(&bytes[16]), be32(&bytes[20]));
    if (bytes.size() >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
        if (le32(&bytes[14]) == 12)
            return std::pair<long, long>(bytes[18] | (bytes[19] << 8), bytes[20] | (bytes[21] << 8));
        return std::pair<long, long>(le32(&bytes[18]), std::labs(le32(&bytes[22])));
    }
    return std::nullopt;
}

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const int width = 1 + data[0] % 96;
    const int height = 1 + data[1] % 80;
    const std::string type = Types[data[2] % Types.size()];
    const std::size_t piece = 1 + data[3] * 61u;
    const std::span<const std::uint8_t> bytes(data + 4, size - 4);

    support::QuietPlatform quiet;
    BytesClipboard clipboard(type, bytes, piece);
    platform::Services services{quiet, quiet, quiet, clipboard, quiet, quiet, quiet, quiet};
    Program program(services);
    TMainForm& form = program.MainForm;
    form.Leveys.type(std::to_string(width));
    form.Korkeus.type(std::to_string(height));
    form.OKButtonClick(&form.OKButton);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x + 2 * y) % 3 == 0) form.Boxi.picture.setPixel(x, y, raster::Black);
    form.finishChange();
    const raster::Bitmap before = form.Boxi.picture;

    const std::optional<raster::Bitmap> picture = clipboard.bitmap(width, height);
    bool refused = false;
    try {
        form.PasteClick(&form.Paste);
    } catch (const platform::Error& error) {
        require(std::string(error.what()) == "Unsupported clipboard format");
        refused = true;
    }
    const raster::Bitmap& after = form.Boxi.picture;
    if (!clipboard.hasBitmap() || refused) {
        require(!clipboard.hasBitmap() || !picture);
        require(after == before);
        return 0;
    }
    require(picture.has_value());
    const auto stated = statedSize(bytes);
    require(stated.has_value());
    require(picture->width() == std::min<long>(width, stated->first));
    require(picture->height() == std::min<long>(height, stated->second));
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const raster::Color pixel = after.pixel(x, y);
            if (x >= width || y >= height) {
                require(pixel == before.pixel(x, y));
                continue;
            }
            require(pixel == raster::Black || pixel == raster::White);
            if (picture->contains(x, y))
                require(pixel ==
                        ((picture->pixel(x, y) & raster::White) == raster::White ? raster::White : raster::Black));
            else
                require(pixel == before.pixel(x, y));
            require(form.Mappi.picture.pixel(x, y) == pixel);
        }
    return 0;
}
