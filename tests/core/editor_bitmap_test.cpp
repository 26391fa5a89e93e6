#include "editor/black_and_white.h"
#include "editor/flip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

raster::Bitmap fromRows(const Rows& rows) {
    raster::Bitmap bitmap(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, rows[y][x] == '#' ? raster::Black : raster::White);
    return bitmap;
}

Rows toRows(const raster::Bitmap& bitmap) {
    Rows rows(bitmap.height(), std::string(bitmap.width(), '.'));
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) != raster::White) rows[y][x] = bitmap.pixel(x, y) == raster::Black ? '#' : '?';
    return rows;
}

Rows flipped(const Rows& rows, void (*flip)(raster::Bitmap&)) {
    raster::Bitmap bitmap = fromRows(rows);
    flip(bitmap);
    return toRows(bitmap);
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
        raster::Bitmap bitmap = fromRows(picture);
        flip(bitmap);
        EXPECT_NE(toRows(bitmap), picture);
        flip(bitmap);
        EXPECT_EQ(toRows(bitmap), picture);
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
    EXPECT_EQ(toRows(bitmap), (Rows{".#####."}));
}

}  // namespace
