#include "wbmp/wbmp_format.h"
#include "support/netpbm.h"
#include "wbmp/target_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using support::bitmapFromRows;

Bytes wholeFile(const raster::Bitmap& bitmap, int width, int height) {
    const Bytes data = wbmp::packRows(bitmap, width, height);
    const std::vector<std::int32_t> elements(data.begin(), data.end());
    return wbmp::fileBytes(width, height, elements);
}

}  // namespace

TEST(WbmpWriter, WritesTheKnownLayouts) {
    EXPECT_EQ(wholeFile(bitmapFromRows({"..........", "##########"}), 10, 2),
              (Bytes{0, 0, 0x0A, 0x02, 0xFF, 0xC0, 0, 0}));
    EXPECT_EQ(wholeFile(bitmapFromRows({"."}), 1, 1), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(wholeFile(bitmapFromRows({"#"}), 1, 1), (Bytes{0, 0, 1, 1, 0x00}));
}

TEST(WbmpWriter, PutsTheLeftmostPixelInTheTopBitAndStartsEachRowOnAFreshByte) {
    EXPECT_EQ(wbmp::packRows(bitmapFromRows({".#######.", "#.######."}), 9, 2), (Bytes{0x80, 0x80, 0x40, 0x80}));
    EXPECT_EQ(wbmp::packRows(bitmapFromRows({"#######.##.#"}), 12, 1), (Bytes{0x01, 0x20}));
}

TEST(WbmpWriter, ReadsOnlyTheDocumentsCornerOfTheView) {
    raster::Bitmap view(96, 80, raster::White);
    EXPECT_EQ(wbmp::packRows(view, 3, 2), (Bytes{0xE0, 0xE0}));
    EXPECT_EQ(wholeFile(view, 96, 80).size(), 964u);
}

TEST(WbmpWriter, WritesEveryColourButExactWhiteAsBlack) {
    EXPECT_EQ(wbmp::packRows(bitmapFromRows({".?.?"}), 4, 1), (Bytes{0xA0}));
    raster::Bitmap nearWhite(2, 1, raster::White);
    nearWhite.setPixel(1, 0, 0xFFFFFE);
    EXPECT_EQ(wbmp::packRows(nearWhite, 2, 1), (Bytes{0x80}));
}

TEST(WbmpWriter, StoresTheLowByteOfEachDataElement) {
    EXPECT_EQ(wbmp::fileBytes(2, 1, std::vector<std::int32_t>{0x1C0}), (Bytes{0, 0, 2, 1, 0xC0}));
}

TEST(SaveTarget, AddsTheExtensionUnlessTheNameAlreadyHoldsIt) {
    EXPECT_EQ(wbmp::targetName("/tmp/pic"), "/tmp/pic.wbmp");
    EXPECT_EQ(wbmp::targetName("/tmp/pic.wbmp"), "/tmp/pic.wbmp");
    EXPECT_EQ(wbmp::targetName("/tmp/PIC.WBMP"), "/tmp/PIC.WBMP.wbmp");
    EXPECT_EQ(wbmp::targetName("/tmp/pic.wbmp.old"), "/tmp/pic.wbmp.old");
    EXPECT_EQ(wbmp::targetName("/tmp/old.wbmp.files/pic"), "/tmp/old.wbmp.files/pic");
}
