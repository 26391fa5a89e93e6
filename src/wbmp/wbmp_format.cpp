#include "wbmp/wbmp_format.h"

namespace wbmp {

std::vector<std::uint8_t> packRows(const raster::Bitmap& picture, int width, int height) {
    const int rowBytes = bytesPerRow(width);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bytes.data() + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < width; ++x)
            if (picture.pixel(x, y) == raster::White) row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
    return bytes;
}

std::vector<std::uint8_t> fileBytes(int width, int height, std::span<const std::int32_t> data) {
    std::vector<std::uint8_t> bytes{0, 0, static_cast<std::uint8_t>(width & 0xFF),
                                    static_cast<std::uint8_t>(height & 0xFF)};
    bytes.reserve(HeaderSize + data.size());
    for (std::int32_t value : data) bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    return bytes;
}

}  // namespace wbmp
