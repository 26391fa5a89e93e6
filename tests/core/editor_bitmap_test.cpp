#include "editor/black_and_white.h"
#include "editor/flip.h"
#include "support/netpbm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

using support::bitmapFromRows;
using support::pictureRows;

Rows flipped(const Rows& rows, void (*flip)(raster::Bitmap&)) {
    raster::Bitmap bitmap = bitmapFromRows(rows);
    flip(bitmap);
    return pictureRows(bitmap);
}

TEST(FlipVertical, ReversesRowsKeepingAnOddMiddleRow) {
    EXPECT_EQ(flipped({"#...", ".#..", "..##"}, editor::FlipVertical), (Rows{"..##", ".#..", "#..."}));
    EXPECT_EQ(flipped({"#..", "..#"}, editor::FlipVertical), (Rows{"..#", "#.."}));
}

TEST(FlipHorizontal, ReversesEachRowKeepingAnOddMiddleColumn) {
    EXPECT_EQ(flipped({"##...", ".#.#."}, editor::FlipHorizontal), (Rows{"...##", ".#.#."}));
    EXPECT_EQ(flipped({"#.", ".."}, editor::FlipHorizontal), (Rows{".#", ".."}));
}

TEST(Flips, AreTheirOwnInverseAndLeaveDegenerateBitmapsAlone) {
    const Rows picture{"#..#.##", "..#....", "###..#.", "......#"};
    for (auto flip : {editor::FlipVertical, editor::FlipHorizontal}) {
        raster::Bitmap bitmap = bitmapFromRows(picture);
        flip(bitmap);
        EXPECT_NE(pictureRows(bitmap), picture);
        flip(bitmap);
        EXPECT_EQ(pictureRows(bitmap), picture);
        EXPECT_EQ(flipped({"#"}, flip), (Rows{"#"}));
        raster::Bitmap empty;
        flip(empty);
        EXPECT_TRUE(empty.isEmpty());
    }
    EXPECT_EQ(flipped({"#.#.."}, editor::FlipVertical), (Rows{"#.#.."}));
    EXPECT_EQ(flipped({"#", ".", "."}, editor::FlipHorizontal), (Rows{"#", ".", "."}));
}

TEST(FlipAt96x80, MovesEveryPixelToItsMirrorPosition) {
    raster::Bitmap bitmap(96, 80);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 96; ++x) bitmap.setPixel(x, y, static_cast<raster::Color>(y * 96 + x));
    editor::FlipVertical(bitmap);
    editor::FlipHorizontal(bitmap);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(bitmap.pixel(x, y), static_cast<raster::Color>((79 - y) * 96 + (95 - x))) << x << ", " << y;
}

TEST(ReduceToBlackAndWhite, KeepsOnlyExactWhite) {
    raster::Bitmap bitmap(7, 1);
    const raster::Color colours[] = {0xFFFFFF, 0xFFFFFE, 0xC0C0C0, 0xFFFF00, 0x000000, 0x7F7F7F, 0xFFFFFFFF};
    for (int x = 0; x < 7; ++x) bitmap.setPixel(x, 0, colours[x]);
    editor::reduceToBlackAndWhite(bitmap);
    EXPECT_EQ(pictureRows(bitmap), (Rows{".#####."}));
}

}  // namespace
