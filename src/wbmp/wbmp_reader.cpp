#include "wbmp/wbmp_reader.h"

#include "wbmp/wbmp_format.h"

namespace wbmp {

namespace {

int byteAt(std::span<const std::uint8_t> bytes, std::size_t index) {
    return index < bytes.size() ? bytes[index] : 0;
}

}  // namespace

Check check(std::span<const std::uint8_t> bytes) {
    Check result;
    if (byteAt(bytes, 0) != 0 || byteAt(bytes, 1) != 0) {
        result.problem = Problem::WrongFormat;
        return result;
    }
    const int width = byteAt(bytes, 2);
    if (width >= 1 && width <= document::MaxWidth) result.width = width;
    const int height = byteAt(bytes, 3);
    if (height >= 1 && height <= document::MaxHeight) result.height = height;
    if (result.width == 0 || result.height == 0) {
        result.problem = Problem::BadSize;
        return result;
    }
    const std::size_t expected = HeaderSize + static_cast<std::size_t>(bytesPerRow(width)) * height;
    if (bytes.size() != expected) result.problem = Problem::BadLength;
    return result;
}

raster::Bitmap decode(std::span<const std::uint8_t> data, int width, int height) {
    raster::Bitmap picture(width, height, raster::Black);
    const int rowBytes = bytesPerRow(width);
    for (int y = 0; y < height; ++y) {
        raster::Color* row = picture.row(y);
        for (int x = 0; x < width; ++x) {
            const int bits = byteAt(data, static_cast<std::size_t>(y) * rowBytes + x / 8);
            row[x] = (bits & (0x80 >> (x % 8))) != 0 ? raster::White : raster::Black;
        }
    }
    return picture;
}

}  // namespace wbmp
