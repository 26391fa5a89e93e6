#include "platform/pictures/over_white.h"
#include "platform/pictures/top_left_reader.h"

#include <algorithm>
#include <array>

namespace pictures {

namespace {

constexpr std::size_t FileHeaderSize = 14;
// Headers and palettes longer than this are not a picture any program writes.
constexpr std::uint32_t MaxPixelOffset = 64 * 1024;
// A side longer than this is a damaged or hostile header, whatever the rest of the bytes hold.
constexpr std::int64_t MaxSide = 1 << 20;

std::uint32_t le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The uncompressed BMP variants every program writes (1, 4, 8, 24 and 32 bits per pixel, bottom-up
// or top-down) are read row by row: only the rows that land are kept, and only their first pixels.
// The rows that land in a bottom-up picture come last, so the rows before them are skipped unread.
// Compressed and bit-field variants are left to a general decoder.
class BmpRows : public RowDecoder {
public:
    BmpRows(int maxWidth, int maxHeight) : m_maxWidth(maxWidth), m_maxHeight(maxHeight) {}

    void feed(std::span<const std::uint8_t> bytes) override {
        if (!m_headerRead) {
            m_held.insert(m_held.end(), bytes.begin(), bytes.end());
            if (!readHeader()) return;
            bytes = std::span<const std::uint8_t>(m_held).subspan(m_pixelOffset);
            takeRows(bytes);
            m_held = {};
            return;
        }
        takeRows(bytes);
    }
    void finish() override {
        if (wantsMore()) m_failed = true;
    }
    bool wantsMore() const override { return !m_failed && !m_foreign && !m_complete; }
    std::optional<raster::Bitmap> result() override {
        if (!m_complete) return std::nullopt;
        return std::move(m_picture);
    }
    bool isForeign() const override { return m_foreign; }
    std::vector<std::uint8_t> heldBytes() override { return std::move(m_held); }

private:
    // Answers whether the pixel rows can start; until then every byte is held.
    bool readHeader() {
        if (m_held.size() < FileHeaderSize + 4) return false;
        const std::uint32_t offset = le32(&m_held[10]);
        const std::uint32_t infoSize = le32(&m_held[14]);
        if (offset > MaxPixelOffset || offset < FileHeaderSize + infoSize || !knownInfoSize(infoSize)) {
            m_failed = true;
            return false;
        }
        if (m_held.size() < offset) return false;
        m_headerRead = true;
        m_pixelOffset = offset;
        const std::uint8_t* info = &m_held[FileHeaderSize];
        std::int64_t width = 0;
        std::int64_t height = 0;
        std::uint32_t planes = 0;
        std::uint32_t compression = 0;
        std::uint32_t coloursUsed = 0;
        std::size_t paletteEntry = 4;
        if (infoSize == 12) {
            width = le16(info + 4);
            height = le16(info + 6);
            planes = le16(info + 8);
            m_bits = static_cast<int>(le16(info + 10));
            paletteEntry = 3;
        } else {
            width = static_cast<std::int32_t>(le32(info + 4));
            height = static_cast<std::int32_t>(le32(info + 8));
            planes = le16(info + 12);
            m_bits = static_cast<int>(le16(info + 14));
            compression = le32(info + 16);
            coloursUsed = le32(info + 32);
        }
        m_topDown = height < 0;
        height = height < 0 ? -height : height;
        if (planes != 1 || width < 1 || height < 1 || width > MaxSide || height > MaxSide) {
            m_failed = true;
            return false;
        }
        if (compression != 0 || (m_bits != 1 && m_bits != 4 && m_bits != 8 && m_bits != 24 && m_bits != 32)) {
            m_foreign = true;
            return false;
        }
        m_width = static_cast<int>(width);
        m_height = static_cast<int>(height);
        m_stride = (static_cast<std::uint64_t>(m_width) * m_bits + 31) / 32 * 4;
        if (m_bits <= 8 && !readPalette(FileHeaderSize + infoSize, paletteEntry, coloursUsed)) return false;
        m_picture.reset(std::min(m_maxWidth, m_width), std::min(m_maxHeight, m_height));
        m_keptRowBytes = (static_cast<std::size_t>(m_picture.width()) * m_bits + 7) / 8;
        m_row.resize(m_keptRowBytes);
        // The stream position of the first row that lands: the top row of a bottom-up picture is
        // its last.
        m_firstRow = m_topDown ? 0 : m_height - m_picture.height();
        if (m_picture.isEmpty()) m_complete = true;
        return true;
    }

    static bool knownInfoSize(std::uint32_t size) {
        return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
    }

    bool readPalette(std::size_t at, std::size_t entry, std::uint32_t coloursUsed) {
        const std::uint32_t most = 1u << m_bits;
        const std::uint32_t count = coloursUsed == 0 ? most : coloursUsed;
        if (count > most || at + count * entry > m_pixelOffset) {
            m_failed = true;
            return false;
        }
        m_palette.assign(most, raster::Black);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* p = &m_held[at + i * entry];
            m_palette[i] = overWhite(p[2], p[1], p[0], 255);
        }
        return true;
    }

    // Walks the pixel data: a row that lands is gathered into m_row and decoded once complete.
    void takeRows(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty() && wantsMore()) {
            const std::uint64_t row = m_pixelBytesSeen / m_stride;
            const std::uint64_t inRow = m_pixelBytesSeen % m_stride;
            std::uint64_t step = m_stride - inRow;
            if (row < m_firstRow) {
                step = std::min<std::uint64_t>(step + (m_firstRow - row - 1) * m_stride, bytes.size());
            } else {
                step = std::min<std::uint64_t>(step, bytes.size());
                if (inRow < m_keptRowBytes) {
                    const std::size_t copy =
                        static_cast<std::size_t>(std::min<std::uint64_t>(step, m_keptRowBytes - inRow));
                    std::copy_n(bytes.begin(), copy, m_row.begin() + static_cast<std::ptrdiff_t>(inRow));
                }
                if (inRow + step == m_stride) decodeRow(static_cast<int>(row));
            }
            m_pixelBytesSeen += step;
            bytes = bytes.subspan(static_cast<std::size_t>(step));
        }
    }

    void decodeRow(int streamRow) {
        const int y = m_topDown ? streamRow : m_height - 1 - streamRow;
        raster::Color* target = m_picture.row(y);
        for (int x = 0; x < m_picture.width(); ++x) {
            switch (m_bits) {
                case 1:
                    target[x] = m_palette[(m_row[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    target[x] = m_palette[(m_row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
                    break;
                case 8:
                    target[x] = m_palette[m_row[x]];
                    break;
                case 24:
                    target[x] = overWhite(m_row[3 * x + 2], m_row[3 * x + 1], m_row[3 * x], 255);
                    break;
                // The fourth byte of an uncompressed 32-bit pixel is unused, not alpha.
                default:
                    target[x] = overWhite(m_row[4 * x + 2], m_row[4 * x + 1], m_row[4 * x], 255);
                    break;
            }
        }
        if (m_topDown ? y == m_picture.height() - 1 : y == 0) m_complete = true;
    }

    int m_maxWidth;
    int m_maxHeight;
    std::vector<std::uint8_t> m_held;
    bool m_headerRead = false;
    bool m_failed = false;
    bool m_foreign = false;
    bool m_complete = false;
    std::uint32_t m_pixelOffset = 0;
    int m_bits = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    std::uint64_t m_stride = 0;
    std::uint64_t m_firstRow = 0;
    std::uint64_t m_pixelBytesSeen = 0;
    std::size_t m_keptRowBytes = 0;
    std::vector<std::uint8_t> m_row;
    std::vector<raster::Color> m_palette;
    raster::Bitmap m_picture;
};

}  // namespace

std::unique_ptr<RowDecoder> makeBmpDecoder(int maxWidth, int maxHeight) {
    return std::make_unique<BmpRows>(maxWidth, maxHeight);
}

}  // namespace pictures
