#include "support/netpbm.h"

#include <gtest/gtest.h>

using support::bitmapFromRows;
using support::parseNetpbm;
using support::pictureRows;
using support::rowText;

namespace {

using Rows = std::vector<std::string>;

TEST(Netpbm, PlainBitmapAllowsCommentsAndDigitsWithoutBlanks) {
    const raster::Bitmap picture = parseNetpbm("P1\n# a comment\n3 # width first\n2\n101\n0 1 0\n");
    EXPECT_EQ(pictureRows(picture), (Rows{"#.#", ".#."}));
}

TEST(Netpbm, RawBitmapPadsEachRowToWholeBytes) {
    // Width 10: each row is two bytes, the last six bits of the second unused.
    const std::string bytes = std::string("P4\n10 2\n") + "\xF0\x7F" + "\x01\xC0";
    EXPECT_EQ(pictureRows(parseNetpbm(bytes)), (Rows{"####.....#", ".......###"}));
}

TEST(Netpbm, ColourSamplesAreScaledToFullRange) {
    const raster::Bitmap plain = parseNetpbm("P3 2 1 15\n15 0 0  0 15 7\n");
    EXPECT_EQ(plain.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(plain.pixel(1, 0), 0x00FF77u);

    const raster::Bitmap raw = parseNetpbm(std::string("P6 1 1 255\n") + "\x12\x34\x56");
    EXPECT_EQ(raw.pixel(0, 0), 0x123456u);
}

TEST(Netpbm, GreyWithTwoByteSamples) {
    const raster::Bitmap picture = parseNetpbm(std::string("P5 2 1 65535\n") + "\xFF\xFF" + std::string("\x00\x00", 2));
    EXPECT_EQ(picture.pixel(0, 0), raster::White);
    EXPECT_EQ(picture.pixel(1, 0), raster::Black);
}

TEST(Netpbm, RejectsDamagedPictures) {
    const std::pair<const char*, std::string> cases[] = {
        {"bad magic", "P7 1 1\n0"},
        {"not netpbm", "GIF89a"},
        {"zero width", "P1 0 1\n"},
        {"missing height", "P1 3\n"},
        {"plain digit other than 0 or 1", "P1 2 1\n12"},
        {"plain data ends early", "P1 2 2\n1 0 1"},
        {"raw data ends early", "P4 9 2\n\xFF\xFF\xFF"},
        {"sample above maximum", "P3 1 1 10\n11 0 0"},
        {"zero maximum", "P2 1 1 0\n0"},
        {"no blank before raw data", "P5 1 1 255"},
        {"absurd size", "P4 100000 100000\n"},
    };
    for (const auto& [name, bytes] : cases) EXPECT_THROW(parseNetpbm(bytes), support::NetpbmError) << name;
}

TEST(Netpbm, RowsRoundTripAndShowOtherColoursAsQuestionMarks) {
    raster::Bitmap picture = bitmapFromRows({"#..", ".#."});
    EXPECT_EQ(pictureRows(picture), (Rows{"#..", ".#."}));
    picture.setPixel(2, 1, 0xC0C0C0);
    EXPECT_EQ(rowText(picture, 1), ".#?");
    EXPECT_TRUE(bitmapFromRows({}).isEmpty());
    EXPECT_THROW(bitmapFromRows({"#.", "#"}), support::NetpbmError);
    EXPECT_THROW(bitmapFromRows({"#x"}), support::NetpbmError);
}

}  // namespace
