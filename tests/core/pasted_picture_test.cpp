#include "platform/pictures/picture_types.h"
#include "platform/pictures/top_left_reader.h"
#include "support/png_bytes.h"

#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <cstdint>
#include <vector>

using pictures::TopLeftReader;
using State = TopLeftReader::State;

namespace {

constexpr std::array<raster::Color, 4> Palette{raster::Black, raster::White, 0xFF0000, 0x808080};
// A 3 x 2 picture as indices into Palette.
constexpr int Indices[2][3] = {{0, 1, 2}, {1, 3, 0}};

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// The picture as an uncompressed BMP file of the given depth, rows bottom-up unless topDown.
std::vector<std::uint8_t> bmp(int bits, bool topDown, int colours = 2) {
    const int width = 3;
    const int height = 2;
    const int stride = (width * bits + 31) / 32 * 4;
    const int paletteSize = bits <= 8 ? 4 * (1 << bits) : 0;
    const std::uint32_t offset = 14 + 40 + paletteSize;
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, offset + stride * height);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, width);
    put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
    put16(out, 1);
    put16(out, bits);
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int i = 0; bits <= 8 && i < (1 << bits); ++i) put32(out, i < colours ? Palette[i] : 0x00FF00);
    for (int r = 0; r < height; ++r) {
        const int y = topDown ? r : height - 1 - r;
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const int index = Indices[y][x] % colours;
            const raster::Color c = Palette[index];
            if (bits <= 8)
                row[x * bits / 8] |= static_cast<std::uint8_t>(index << (8 - bits - x * bits % 8));
            else
                for (int k = 0; k < 3; ++k) row[x * bits / 8 + k] = (c >> (8 * k)) & 0xFF;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

raster::Bitmap expected(int width, int height, int colours) {
    raster::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, Palette[Indices[y][x] % colours]);
    return picture;
}

// An RGBA PNG of the picture through libpng's own writer, interlaced or not.
std::vector<std::uint8_t> png(bool interlaced, std::uint8_t alphaOfRed = 255) {
    std::vector<std::uint8_t> out;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    support::writePngInto(writer, out);
    png_set_IHDR(writer, info, 3, 2, 8, PNG_COLOR_TYPE_RGBA, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::array<std::array<png_byte, 12>, 2> rows{};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const raster::Color c = Palette[Indices[y][x]];
            rows[y][4 * x] = (c >> 16) & 0xFF;
            rows[y][4 * x + 1] = (c >> 8) & 0xFF;
            rows[y][4 * x + 2] = c & 0xFF;
            rows[y][4 * x + 3] = c == 0xFF0000 ? alphaOfRed : 255;
        }
    std::array<png_bytep, 2> pointers{rows[0].data(), rows[1].data()};
    png_set_rows(writer, info, pointers.data());
    png_write_png(writer, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&writer, &info);
    return out;
}

State read(const std::vector<std::uint8_t>& bytes, int maxWidth, int maxHeight, raster::Bitmap* picture = nullptr) {
    TopLeftReader reader(maxWidth, maxHeight);
    const State state = pictures::readTopLeft(reader, bytes);
    if (picture && state == State::Done) *picture = reader.takePicture();
    return state;
}

}  // namespace

TEST(PastedPicture, UncompressedBmpOfEveryDepthBothWaysUp) {
    for (int bits : {1, 4, 8, 24, 32})
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits" << (topDown ? ", top-down" : ""));
            const int colours = bits == 1 ? 2 : 4;
            raster::Bitmap picture;
            ASSERT_EQ(read(bmp(bits, topDown, colours), 96, 80, &picture), State::Done);
            EXPECT_EQ(picture, expected(3, 2, colours));
            ASSERT_EQ(read(bmp(bits, topDown, colours), 2, 1, &picture), State::Done);
            EXPECT_EQ(picture, expected(2, 1, colours));
        }
}

TEST(PastedPicture, PngPlainAndInterlacedWithTranslucencySeenOverWhite) {
    for (bool interlaced : {false, true}) {
        raster::Bitmap picture;
        ASSERT_EQ(read(png(interlaced), 96, 80, &picture), State::Done);
        EXPECT_EQ(picture, expected(3, 2, 4));
        ASSERT_EQ(read(png(interlaced, 0), 2, 2, &picture), State::Done);
        EXPECT_EQ(picture.pixel(0, 0), raster::Black);
        EXPECT_EQ(picture.pixel(1, 1), raster::Color(0x808080));
        EXPECT_EQ(picture.width(), 2);
    }
    raster::Bitmap clear;
    ASSERT_EQ(read(png(false, 0), 96, 80, &clear), State::Done);
    EXPECT_EQ(clear.pixel(2, 0), raster::White);
}

TEST(PastedPicture, DamagedTruncatedAndAbsurdPicturesAreRefusedAndOthersLeftToQt) {
    std::vector<std::uint8_t> damaged = png(false);
    damaged[29] ^= 0x40;  // the header's checksum no longer matches
    EXPECT_EQ(read(damaged, 96, 80), State::Failed);
    std::vector<std::uint8_t> absurd = png(false);
    absurd[16] = 0x7F;  // a width of two thousand million
    EXPECT_EQ(read(absurd, 96, 80), State::Failed);
    std::vector<std::uint8_t> truncated = png(false);
    truncated.resize(truncated.size() / 2);
    EXPECT_EQ(read(truncated, 96, 80), State::Failed);
    std::vector<std::uint8_t> tall = bmp(24, false);
    tall[22] = 0xFF;
    tall[23] = 0xFF;
    tall[24] = 0xFF;  // sixteen million rows
    EXPECT_EQ(read(tall, 96, 80), State::Failed);
    std::vector<std::uint8_t> shortRows = bmp(24, true);
    shortRows.resize(shortRows.size() - 4);
    EXPECT_EQ(read(shortRows, 96, 80), State::Failed);
    std::vector<std::uint8_t> compressed = bmp(8, false, 4);
    compressed[30] = 1;  // run-length encoded
    EXPECT_EQ(read(compressed, 96, 80), State::Foreign);
    EXPECT_EQ(read({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, 96, 80), State::Foreign);
    EXPECT_EQ(read({}, 96, 80), State::Foreign);
}

TEST(PastedPicture, OtherNamesOfPictureTypes) {
    const std::pair<const char*, const char*> names[] = {
        {"image/x-png", "image/png"},
        {"IMAGE/X-MS-BMP", "image/bmp"},
        {"image/x-bmp", "image/bmp"},
        {"image/pjpeg", "image/jpeg"},
        {"image/png; charset=x", "image/png"},
        {"image/gif", "image/gif"},
        {"text/plain", ""},
        {"image/", ""},
    };
    for (const auto& [offered, canonical] : names)
        EXPECT_EQ(pictures::canonicalPictureType(offered), canonical) << offered;
    EXPECT_LT(pictures::pictureTypeRank("image/png"), pictures::pictureTypeRank("image/x-portable-bitmap"));
}
