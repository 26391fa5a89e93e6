#include "pixels.h"

#include "platform/raster/canvas.h"

#include <gtest/gtest.h>

#include <random>

using raster::Bitmap;
using raster::Canvas;
using raster::CopyMode;
using Rows = std::vector<std::string>;

namespace {

Bitmap picture(const Rows& rows) {
    Bitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, rows[y][x] == '#' ? raster::Black : raster::White);
    return bitmap;
}

TEST(FloodFill, DoesNotLeakThroughADiagonalGap) {
    Bitmap bitmap = picture({"..#...", ".#....", "#.....", "......"});
    Canvas canvas(bitmap);
    canvas.setBrush({false, raster::Black});
    canvas.floodFill(0, 0, raster::White);
    EXPECT_EQ(pictureRows(bitmap), (Rows{"###...", "##....", "#.....", "......"}));
    canvas.floodFill(5, 3, raster::White);
    EXPECT_EQ(pictureRows(bitmap), Rows(4, "######"));
}

TEST(FloodFill, FillsRoundAnIslandAndLeavesItsInside) {
    Bitmap bitmap = picture({"#######", "#.....#", "#.###.#", "#.#.#.#", "#.###.#", "#######"});
    Canvas canvas(bitmap);
    canvas.setBrush({false, raster::Black});
    canvas.floodFill(1, 4, raster::White);
    EXPECT_EQ(pictureRows(bitmap), (Rows{"#######", "#######", "#######", "###.###", "#######", "#######"}));
}

TEST(FloodFill, DoesNothingFromAPixelOfAnotherColourOrOffTheBitmap) {
    const Bitmap start = picture({"......", "..##..", "......"});
    Bitmap bitmap = start;
    Canvas canvas(bitmap);
    canvas.setBrush({false, raster::Black});
    canvas.floodFill(2, 1, raster::White);
    canvas.floodFill(-1, 0, raster::White);
    canvas.floodFill(6, 0, raster::White);
    canvas.setBrush({true, raster::Black});
    canvas.floodFill(0, 0, raster::White);
    EXPECT_EQ(bitmap, start);
    // White on white: the surface already has the fill colour.
    canvas.setBrush({false, raster::White});
    canvas.floodFill(0, 0, raster::White);
    EXPECT_EQ(bitmap, start);
}

// The span fill against the plainest possible flood: a queue of 4-neighbours, on random mazes
// where runs stick out on both sides of the runs that find them.
TEST(FloodFill, FillsExactlyTheEdgeConnectedArea) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Bitmap bitmap(23, 17);
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x)
                if (random() % 100 < 40) bitmap.setPixel(x, y, raster::Black);
        const int seedX = static_cast<int>(random() % 23);
        const int seedY = static_cast<int>(random() % 17);

        Bitmap expected = bitmap;
        const raster::Color surface = expected.pixel(seedX, seedY);
        const raster::Color fill = 0x00FF00;
        std::vector<platform::Point> queue{{seedX, seedY}};
        expected.setPixel(seedX, seedY, fill);
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const platform::Point p = queue[i];
            for (const platform::Point n : {platform::Point{p.x - 1, p.y}, platform::Point{p.x + 1, p.y},
                                            platform::Point{p.x, p.y - 1}, platform::Point{p.x, p.y + 1}}) {
                if (expected.contains(n.x, n.y) && expected.pixel(n.x, n.y) == surface) {
                    expected.setPixel(n.x, n.y, fill);
                    queue.push_back(n);
                }
            }
        }

        Canvas canvas(bitmap);
        canvas.setBrush({false, fill});
        canvas.floodFill(seedX, seedY, surface);
        ASSERT_EQ(bitmap, expected) << "round " << round;
    }
}

TEST(FillRect, FillsHalfOpenRectanglesWithTheBrush) {
    Bitmap bitmap(6, 4);
    Canvas canvas(bitmap);
    canvas.setBrush({false, raster::Black});
    canvas.fillRect({1, 1, 4, 3});
    canvas.fillRect({-3, -3, 1, 1});
    canvas.fillRect({5, 0, 5, 4});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"#.....", ".###..", ".###..", "......"}));
    canvas.setBrush({true, raster::Black});
    canvas.fillRect({0, 0, 6, 4});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"#.....", ".###..", ".###..", "......"}));
}

TEST(CopyRect, InvertsAndWhitensTheDestinationAlone) {
    Bitmap bitmap = picture({"#.#...", "......"});
    bitmap.setPixel(5, 1, 0x123456);
    Canvas canvas(bitmap);
    canvas.setCopyMode(CopyMode::DstInvert);
    canvas.copyRect({0, 0, 4, 9}, canvas, {50, 50, 51, 51});
    EXPECT_EQ(pictureRows(bitmap), (Rows{".#.#..", "####.?"}));
    canvas.copyRect({5, 1, 6, 2}, canvas, {5, 1, 6, 2});
    EXPECT_EQ(bitmap.pixel(5, 1), 0x123456u ^ 0xFFFFFFu);
    canvas.setCopyMode(CopyMode::Whiteness);
    canvas.copyRect({-2, -2, 3, 1}, canvas, {0, 0, 0, 0});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"...#..", "####.?"}));
}

TEST(CopyRect, CopiesUnscaledAndOnlyFromPixelsOnBothBitmaps) {
    const Bitmap source = picture({"##.", "#.#"});
    Bitmap sourceBitmap = source;
    Canvas from(sourceBitmap);
    Bitmap bitmap = picture({"#####", "#####", "#####"});
    Canvas canvas(bitmap);
    // A 4 x 4 block from (-1, 0): its first column and bottom rows have no source pixels.
    canvas.copyRect({1, 0, 5, 4}, from, {-1, 0, 3, 4});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"####.", "###.#", "#####"}));
}

TEST(CopyRect, MovesABlockWithinTheSameBitmapWithoutSmearing) {
    Bitmap bitmap = picture({"#....", ".#...", "..#..", ".....", "....."});
    Canvas canvas(bitmap);
    canvas.copyRect({1, 1, 5, 5}, canvas, {0, 0, 4, 4});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"#....", ".#...", "..#..", "...#.", "....."}));
    canvas.copyRect({0, 0, 4, 4}, canvas, {1, 1, 5, 5});
    EXPECT_EQ(pictureRows(bitmap), (Rows{"#....", ".#...", "..#..", ".....", "....."}));
}

TEST(Draw, PlacesAPictureClippedAtAnyOffset) {
    Bitmap bitmap(4, 3);
    Canvas canvas(bitmap);
    canvas.draw(-1, 1, picture({"#.#", "###", "###"}));
    canvas.draw(3, -1, picture({"..", "#."}));
    EXPECT_EQ(pictureRows(bitmap), (Rows{"...#", ".#..", "##.."}));
}

TEST(BitmapAndCanvas, OutsidePixelsReadWhiteAndWritesAreIgnored) {
    Bitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.pixel(0, 0), raster::White);
    bitmap.setPixel(3, 0, raster::Black);
    bitmap.setPixel(-1, 1, raster::Black);
    EXPECT_EQ(bitmap, Bitmap(3, 2));
    bitmap.setPixel(2, 1, raster::Black);
    EXPECT_EQ(bitmap.pixel(2, 1), raster::Black);
    EXPECT_EQ(bitmap.pixel(2, 2), raster::White);

    Bitmap copy = bitmap;
    copy.setPixel(0, 0, raster::Black);
    EXPECT_EQ(bitmap.pixel(0, 0), raster::White);
}

TEST(BitmapAndCanvas, CanvasFollowsItsBitmapThroughAReset) {
    Bitmap bitmap(2, 2);
    Canvas canvas(bitmap);
    bitmap.reset(5, 3);
    canvas.moveTo(0, 2);
    canvas.lineTo(5, 2);
    EXPECT_EQ(pictureRows(bitmap), (Rows{".....", ".....", "#####"}));
    bitmap.reset(0, 0);
    canvas.lineTo(0, 0);
    canvas.floodFill(0, 0, raster::White);
    EXPECT_TRUE(bitmap.isEmpty());
}

}  // namespace
