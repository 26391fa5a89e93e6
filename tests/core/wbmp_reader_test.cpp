#include "wbmp/wbmp_reader.h"
#include "support/netpbm.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using wbmp::Problem;

Bytes fileOf(int width, int height, std::size_t dataBytes, std::uint8_t fill = 0) {
    Bytes bytes{0, 0, static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height)};
    bytes.resize(4 + dataBytes, fill);
    return bytes;
}

using Rows = std::vector<std::string>;
using support::pictureRows;

}  // namespace

TEST(WbmpReaderChecks, ReportsTheFirstProblemInOrder) {
    struct Case {
        const char* name;
        Bytes bytes;
        Problem problem;
    };
    const Case cases[] = {
        {"empty file", {}, Problem::BadSize},
        {"single zero byte", {0}, Problem::BadSize},
        {"width without height", {0, 0, 5}, Problem::BadSize},
        {"header alone", {0, 0, 8, 8}, Problem::BadLength},
        {"type byte", {1, 0, 1, 1, 0}, Problem::WrongFormat},
        {"extension headers", {0, 0x80, 1, 1, 0}, Problem::WrongFormat},
        {"type and size both wrong", {2, 0, 0, 0}, Problem::WrongFormat},
        {"width 0", fileOf(0, 1, 1), Problem::BadSize},
        {"width 97", fileOf(97, 1, 13), Problem::BadSize},
        {"height 0", fileOf(1, 0, 0), Problem::BadSize},
        {"height 81", fileOf(1, 81, 81), Problem::BadSize},
        {"two-byte width 200", {0, 0, 0x81, 0x48, 1, 0}, Problem::BadSize},
        {"one byte short", fileOf(10, 2, 3), Problem::BadLength},
        {"one byte long", fileOf(10, 2, 5), Problem::BadLength},
        {"largest", fileOf(96, 80, 960), Problem::None},
        {"smallest", fileOf(1, 1, 1), Problem::None},
        {"past the read limit", fileOf(96, 80, 961), Problem::BadLength},
    };
    for (const Case& c : cases) EXPECT_EQ(wbmp::check(c.bytes).problem, c.problem) << c.name;
}

TEST(WbmpReaderChecks, KeepsEachSizeThatPassedItsRangeCheck) {
    const wbmp::Check heightBad = wbmp::check(fileOf(10, 81, 0));
    EXPECT_EQ(heightBad.width, 10);
    EXPECT_EQ(heightBad.height, 0);
    const wbmp::Check widthBad = wbmp::check(fileOf(97, 80, 0));
    EXPECT_EQ(widthBad.width, 0);
    EXPECT_EQ(widthBad.height, 80);
    const wbmp::Check good = wbmp::check(fileOf(17, 3, 9));
    EXPECT_EQ(good.width, 17);
    EXPECT_EQ(good.height, 3);
}

TEST(WbmpReaderDecoding, SetsWhiteForOneBitsAndIgnoresThePadding) {
    EXPECT_EQ(pictureRows(wbmp::decode(Bytes{0xFF, 0xC0, 0x00, 0x00}, 10, 2)), (Rows{"..........", "##########"}));
    EXPECT_EQ(pictureRows(wbmp::decode(Bytes{0xFF, 0xFF, 0x00, 0x3F}, 10, 2)), (Rows{"..........", "##########"}));
    EXPECT_EQ(pictureRows(wbmp::decode(Bytes{0x80, 0x80, 0x40, 0x80}, 9, 2)), (Rows{".#######.", "#.######."}));
}

TEST(WbmpReaderDecoding, GivesEveryPixelExactlyBlackOrWhite) {
    const raster::Bitmap picture = wbmp::decode(Bytes{0x5A}, 8, 1);
    ASSERT_EQ(picture.width(), 8);
    ASSERT_EQ(picture.height(), 1);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(picture.pixel(x, 0), (0x5A >> (7 - x)) & 1 ? raster::White : raster::Black) << x;
}

TEST(WbmpReaderDecoding, TreatsMissingDataAsBlackRatherThanReadingPastIt) {
    EXPECT_EQ(pictureRows(wbmp::decode(Bytes{0xFF}, 8, 2)), (Rows{"........", "########"}));
}
