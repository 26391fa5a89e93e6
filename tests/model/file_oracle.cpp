#include "model/file_oracle.h"

#include "model/random_inputs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace model {

namespace {

constexpr std::size_t ReadLimit = 964;

int rowBytes(int width) {
    return (width + 7) / 8;
}

raster::Bitmap randomPicture(std::mt19937& random, int width, int height) {
    raster::Bitmap picture(width, height);
    std::bernoulli_distribution white(0.5);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, white(random) ? raster::White : raster::Black);
    return picture;
}

}  // namespace

std::string refusalFor(const Bytes& bytes) {
    Bytes read(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), ReadLimit)));
    const auto at = [&](std::size_t i) { return i < read.size() ? read[i] : 0; };
    if (at(0) != 0 || at(1) != 0) return "Wrong file format.";
    const int width = at(2);
    const int height = at(3);
    if (width < 1 || width > 96 || height < 1 || height > 80) return "Unable to open the specified file.";
    if (read.size() != 4 + static_cast<std::size_t>(rowBytes(width) * height)) return "This is not a valid WBMP file.";
    return "";
}

std::optional<raster::Bitmap> decodeAccepted(const Bytes& bytes) {
    if (!refusalFor(bytes).empty()) return std::nullopt;
    const int width = bytes[2];
    const int height = bytes[3];
    raster::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t byte = bytes[4 + static_cast<std::size_t>(y * rowBytes(width) + x / 8)];
            picture.setPixel(x, y, (byte >> (7 - x % 8)) & 1 ? raster::White : raster::Black);
        }
    return picture;
}

Bytes encode(const raster::Bitmap& picture) {
    Bytes bytes{0, 0, static_cast<std::uint8_t>(picture.width()), static_cast<std::uint8_t>(picture.height())};
    for (int y = 0; y < picture.height(); ++y)
        for (int start = 0; start < picture.width(); start += 8) {
            std::uint8_t byte = 0;
            for (int x = start; x < std::min(start + 8, picture.width()); ++x)
                if (picture.pixel(x, y) == raster::White) byte |= static_cast<std::uint8_t>(0x80 >> (x - start));
            bytes.push_back(byte);
        }
    return bytes;
}

Bytes randomFile(std::mt19937& random) {
    Bytes bytes = encode(randomPicture(random, between(random, 1, 96), between(random, 1, 80)));
    switch (between(random, 0, 7)) {
        case 0:
        case 1:
            break;
        case 2:
            bytes.resize(bytes.size() - static_cast<std::size_t>(between(random, 1, static_cast<int>(bytes.size()))));
            break;
        case 3:
            bytes.resize(bytes.size() + static_cast<std::size_t>(between(random, 1, 40)), 0xA5);
            break;
        case 4:
            bytes = encode(randomPicture(random, between(random, 89, 96), 80));
            bytes.resize(bytes.size() + static_cast<std::size_t>(between(random, 1, 300)), 0x5A);
            break;
        case 5:
            bytes[between(random, 0, 1)] =
                static_cast<std::uint8_t>(between(random, 0, 1) ? 0x80 : between(random, 1, 255));
            break;
        case 6:
            bytes.resize(static_cast<std::size_t>(between(random, 0, 4)));
            break;
        default:
            bytes.resize(static_cast<std::size_t>(between(random, 0, 1200)));
            for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(between(random, 0, 255));
            // Mostly small headers, so that random bodies also reach the length check.
            if (bytes.size() >= 4 && between(random, 0, 1)) bytes[0] = bytes[1] = 0;
            break;
    }
    return bytes;
}

raster::Bitmap blackAndWhite(const raster::Bitmap& picture) {
    raster::Bitmap reduced = picture;
    for (int y = 0; y < reduced.height(); ++y)
        for (int x = 0; x < reduced.width(); ++x)
            reduced.setPixel(x, y, (picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? raster::White : raster::Black);
    return reduced;
}

Bytes readBytes(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return {};
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint64_t fingerprint(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return 0;
    // FNV-1a, seeded so that an empty file is told apart from no file.
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : readBytes(path)) hash = (hash ^ byte) * 1099511628211ull;
    return hash == 0 ? 1 : hash;
}

}  // namespace model
