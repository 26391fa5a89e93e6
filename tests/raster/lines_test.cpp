#include "pixels.h"

#include "platform/raster/canvas.h"

#include <gtest/gtest.h>

using raster::Bitmap;
using raster::Canvas;
using raster::Pen;
using raster::PenStyle;
using Rows = std::vector<std::string>;

namespace {

Rows thinLine(int x1, int y1, int x2, int y2) {
    Bitmap bitmap(6, 5);
    Canvas canvas(bitmap);
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
    return pictureRows(bitmap);
}

TEST(ThinLine, LeavesOutItsEndPixelWhicheverWayItRuns) {
    EXPECT_EQ(thinLine(0, 0, 4, 1), (Rows{"###...", "...#..", "......", "......", "......"}));
    EXPECT_EQ(thinLine(4, 1, 0, 0), (Rows{".##...", "...##.", "......", "......", "......"}));
    EXPECT_EQ(thinLine(1, 2, 5, 2), (Rows{"......", "......", ".####.", "......", "......"}));
    EXPECT_EQ(thinLine(5, 2, 1, 2), (Rows{"......", "......", "..####", "......", "......"}));
    EXPECT_EQ(thinLine(0, 0, 1, 4), (Rows{"#.....", "#.....", "#.....", ".#....", "......"}));
    EXPECT_EQ(thinLine(3, 3, 3, 3), (Rows{"......", "......", "......", "......", "......"}));
}

TEST(ThinLine, MovesThePositionOnlyToItsEnd) {
    Bitmap bitmap(6, 5);
    Canvas canvas(bitmap);
    canvas.moveTo(1, 1);
    canvas.lineTo(4, 1);
    canvas.lineTo(4, 4);
    EXPECT_EQ(canvas.position(), (platform::Point{4, 4}));
    EXPECT_EQ(pictureRows(bitmap), (Rows{"......", ".####.", "....#.", "....#.", "......"}));
}

TEST(ThinLine, StartingFarOffTheBitmapKeepsEveryPixelWhereItWas) {
    // The same line on a big bitmap and, shifted by (-200, -150), on a small one that only sees part
    // of it: the small one must show exactly the matching window.
    Bitmap big(500, 400);
    Canvas bigCanvas(big);
    bigCanvas.moveTo(3, 7);
    bigCanvas.lineTo(413, 251);
    Bitmap small(96, 80);
    Canvas smallCanvas(small);
    smallCanvas.moveTo(3 - 200, 7 - 150);
    smallCanvas.lineTo(413 - 200, 251 - 150);
    EXPECT_GT(blackCount(small), 0);
    EXPECT_EQ(pictureRows(small), pictureRows(big, 200, 150, 96, 80));
}

Rows penDot(int width) {
    Bitmap bitmap(10, 10);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Plain, width, raster::Black});
    canvas.moveTo(4, 4);
    canvas.lineTo(4, 4);
    return pictureRows(bitmap, 0, 0, 9, 9);
}

TEST(WidePen, ClickWithoutMotionLeavesOneRoundDotAboveLeftOfThePointAtEvenWidths) {
    EXPECT_EQ(penDot(1), Rows(9, "........."));
    EXPECT_EQ(penDot(2), (Rows{".........", ".........", ".........", "...##....", "...##....", ".........",
                               ".........", ".........", "........."}));
    EXPECT_EQ(penDot(3), (Rows{".........", ".........", ".........", "....#....", "...###...", "....#....",
                               ".........", ".........", "........."}));
    EXPECT_EQ(penDot(6), (Rows{".........", "...##....", "..####...", ".######..", ".######..", "..####...",
                               "...##....", ".........", "........."}));
    EXPECT_EQ(penDot(7), (Rows{".........", "...###...", "..#####..", ".#######.", ".#######.", ".#######.",
                               "..#####..", "...###...", "........."}));
    EXPECT_EQ(penDot(8), (Rows{"..####...", ".######..", "########.", "########.", "########.", "########.",
                               ".######..", "..####...", "........."}));
}

TEST(WidePen, SuccessiveLinesAreRoundEndedPiecesOfTheStroke) {
    Bitmap bitmap(12, 5);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Plain, 3, raster::Black});
    canvas.moveTo(2, 2);
    canvas.lineTo(9, 2);
    EXPECT_EQ(pictureRows(bitmap),
              (Rows{"............", "..########..", ".##########.", "..########..", "............"}));
}

Rows squareLine(int width, int x1, int y1, int x2, int y2) {
    Bitmap bitmap(14, 9);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, width, raster::Black});
    canvas.beginPath();
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
    canvas.endPath();
    canvas.strokePath();
    return pictureRows(bitmap);
}

TEST(SquarePen, EndsReachHalfTheWidthBeforeTheLeftEndAndOneLessPastTheRight) {
    const Rows threeWide{"..............", "..............", "..............", "..###########.", "..###########.",
                         "..###########.", "..............", "..............", ".............."};
    EXPECT_EQ(squareLine(3, 3, 4, 12, 4), threeWide);
    EXPECT_EQ(squareLine(3, 12, 4, 3, 4), threeWide);
    EXPECT_EQ(squareLine(4, 3, 4, 12, 4)[2], ".#############");
    EXPECT_EQ(squareLine(1, 3, 4, 12, 4)[4], "...#########..");
}

TEST(SquarePen, DiagonalLineIsTheSameBothWays) {
    const Rows expected{"..##..........", ".#####........", "#######.......", "..#######.....", "....#######...",
                        ".....#######..", ".......#####..", ".........##...", ".............."};
    EXPECT_EQ(squareLine(3, 2, 2, 9, 6), expected);
    EXPECT_EQ(squareLine(3, 9, 6, 2, 2), expected);
}

TEST(SquarePen, LineFromAPointToItselfDrawsNothing) {
    EXPECT_EQ(squareLine(5, 6, 4, 6, 4), Rows(9, ".............."));
}

TEST(Path, RecordsLinesUntilStrokedAndForgetsThemAfterwards) {
    Bitmap bitmap(8, 4);
    Canvas canvas(bitmap);
    canvas.beginPath();
    canvas.moveTo(1, 1);
    canvas.lineTo(6, 1);
    canvas.setPixel(6, 2, raster::Black);  // drawn at once, not recorded
    canvas.lineTo(6, 3);
    EXPECT_EQ(pictureRows(bitmap), (Rows{"........", "........", "......#.", "........"}));
    canvas.endPath();
    canvas.strokePath();
    EXPECT_EQ(pictureRows(bitmap), (Rows{"........", ".######.", "......#.", "........"}));

    canvas.setPenColor(raster::White);
    canvas.strokePath();
    EXPECT_EQ(pictureRows(bitmap), (Rows{"........", ".######.", "......#.", "........"}));
}

TEST(Path, JoinsItsLinesWithMitresAndRoundPensWithDots) {
    Bitmap square(12, 12);
    Canvas canvas(square);
    canvas.setPen({PenStyle::Square, 4, raster::Black});
    canvas.beginPath();
    canvas.moveTo(2, 3);
    canvas.lineTo(8, 3);
    canvas.lineTo(8, 9);
    canvas.endPath();
    canvas.strokePath();
    // The outer corner is filled up to the mitre tip; the far end stops one short of half the width.
    EXPECT_EQ(pictureRows(square, 0, 0, 12, 12),
              (Rows{"............", "##########..", "##########..", "##########..", "##########..", "......####..",
                    "......####..", "......####..", "......####..", "......####..", "......####..", "............"}));
}

TEST(PenSettings, ColourAndWidthChangeOnlyThemselves) {
    Bitmap bitmap(4, 4);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, 3, raster::Black});
    canvas.setPenColor(0x123456);
    EXPECT_EQ(canvas.pen(), (Pen{PenStyle::Square, 3, 0x123456}));
    canvas.setPenWidth(7);
    EXPECT_EQ(canvas.pen(), (Pen{PenStyle::Square, 7, 0x123456}));
    canvas.setPenWidth(20);
    EXPECT_EQ(canvas.pen().width, 8);
    canvas.setPenWidth(0);
    EXPECT_EQ(canvas.pen().width, 1);
}

}  // namespace
