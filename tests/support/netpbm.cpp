#include "support/netpbm.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace support {

namespace {

// Large enough for any clipboard picture a script wants to try, small enough that a corrupt size
// cannot ask for gigabytes.
constexpr long MaxPixels = 16L * 1024 * 1024;

class HeaderReader {
public:
    explicit HeaderReader(std::string_view bytes) : m_bytes(bytes) {}

    // Skips blanks and comments, which netpbm allows between any two header fields.
    void skipSeparators() {
        while (m_pos < m_bytes.size()) {
            const char c = m_bytes[m_pos];
            if (c == '#') {
                while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\n') ++m_pos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else {
                return;
            }
        }
    }

    long number(const char* what) {
        skipSeparators();
        long value = 0;
        std::size_t digits = 0;
        while (m_pos < m_bytes.size() && std::isdigit(static_cast<unsigned char>(m_bytes[m_pos]))) {
            value = value * 10 + (m_bytes[m_pos] - '0');
            if (value > MaxPixels) throw NetpbmError(std::string(what) + " is too large");
            ++m_pos;
            ++digits;
        }
        if (digits == 0) throw NetpbmError(std::string("missing ") + what);
        return value;
    }

    // A plain PBM pixel is one digit, with or without blanks between pixels.
    int bitDigit() {
        skipSeparators();
        if (m_pos >= m_bytes.size()) throw NetpbmError("the picture data ends early");
        const char c = m_bytes[m_pos++];
        if (c != '0' && c != '1') throw NetpbmError("a plain PBM pixel is not 0 or 1");
        return c - '0';
    }

    // Raw data starts after exactly one blank following the last header field.
    void endHeader() {
        if (m_pos >= m_bytes.size() || !std::isspace(static_cast<unsigned char>(m_bytes[m_pos])))
            throw NetpbmError("the header does not end with a blank");
        ++m_pos;
    }

    unsigned byte() {
        if (m_pos >= m_bytes.size()) throw NetpbmError("the picture data ends early");
        return static_cast<unsigned char>(m_bytes[m_pos++]);
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 2;
};

raster::Color grey(unsigned level) {
    return level << 16 | level << 8 | level;
}

raster::Color rgb(unsigned r, unsigned g, unsigned b) {
    return r << 16 | g << 8 | b;
}

unsigned scaled(long sample, long maxval) {
    if (sample > maxval) throw NetpbmError("a sample is above the maximum value");
    return static_cast<unsigned>((sample * 255 + maxval / 2) / maxval);
}

void readBitmapPixels(HeaderReader& in, raster::Bitmap& picture, bool plain) {
    for (int y = 0; y < picture.height(); ++y) {
        unsigned bits = 0;
        for (int x = 0; x < picture.width(); ++x) {
            int black = 0;
            if (plain) {
                black = in.bitDigit();
            } else {
                if (x % 8 == 0) bits = in.byte();
                black = (bits >> (7 - x % 8)) & 1;
            }
            picture.setPixel(x, y, black ? raster::Black : raster::White);
        }
    }
}

void readSampledPixels(HeaderReader& in, raster::Bitmap& picture, bool plain, bool colour, long maxval) {
    const auto sample = [&] {
        if (plain) return scaled(in.number("sample"), maxval);
        long value = in.byte();
        if (maxval > 255) value = value << 8 | in.byte();
        return scaled(value, maxval);
    };
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (!colour) {
                picture.setPixel(x, y, grey(sample()));
                continue;
            }
            const unsigned r = sample();
            const unsigned g = sample();
            const unsigned b = sample();
            picture.setPixel(x, y, rgb(r, g, b));
        }
}

}  // namespace

raster::Bitmap parseNetpbm(std::string_view bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] < '1' || bytes[1] > '6')
        throw NetpbmError("not a netpbm picture");
    const int kind = bytes[1] - '0';
    const bool plain = kind <= 3;
    HeaderReader in(bytes);
    const long width = in.number("width");
    const long height = in.number("height");
    if (width == 0 || height == 0) throw NetpbmError("the picture has no pixels");
    if (width * height > MaxPixels) throw NetpbmError("the picture is too large");
    long maxval = 1;
    if (kind != 1 && kind != 4) {
        maxval = in.number("maximum value");
        if (maxval == 0 || maxval > 65535) throw NetpbmError("the maximum value is out of range");
    }
    if (!plain) in.endHeader();

    raster::Bitmap picture(static_cast<int>(width), static_cast<int>(height));
    if (kind == 1 || kind == 4)
        readBitmapPixels(in, picture, plain);
    else
        readSampledPixels(in, picture, plain, kind == 3 || kind == 6, maxval);
    return picture;
}

raster::Bitmap readNetpbmFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw NetpbmError("cannot read " + path);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    try {
        return parseNetpbm(bytes);
    } catch (const NetpbmError& error) {
        throw NetpbmError(path + ": " + error.what());
    }
}

raster::Bitmap bitmapFromRows(const std::vector<std::string>& rows) {
    if (rows.empty()) return {};
    raster::Bitmap picture(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows.front().size()) throw NetpbmError("the rows are not equally long");
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c != '#' && c != '.' && c != '?') throw NetpbmError("a row holds a character other than '#', '.', '?'");
            const raster::Color color = c == '#' ? raster::Black : c == '.' ? raster::White : 0xC0C0C0;
            picture.setPixel(static_cast<int>(x), static_cast<int>(y), color);
        }
    }
    return picture;
}

}  // namespace support
