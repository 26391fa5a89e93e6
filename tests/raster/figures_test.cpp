#include "pixels.h"

#include "platform/raster/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using raster::Bitmap;
using raster::Brush;
using raster::Canvas;
using raster::PenStyle;
using Rows = std::vector<std::string>;

namespace {

Bitmap drawn(int width, int height, raster::Pen pen, Brush brush, const std::function<void(Canvas&)>& draw) {
    Bitmap bitmap(width, height);
    Canvas canvas(bitmap);
    canvas.setPen(pen);
    canvas.setBrush(brush);
    draw(canvas);
    return bitmap;
}

const raster::Pen Thin{PenStyle::Plain, 1, raster::Black};
const Brush Clear{true, raster::White};

TEST(Rectangle, LeavesOutTheRightColumnAndBottomRowWhicheverCornerComesFirst) {
    const Rows expected{"........", ".#####..", ".#...#..", ".#####..", "........"};
    const int corners[4][4] = {{1, 1, 6, 4}, {6, 4, 1, 1}, {6, 1, 1, 4}, {1, 4, 6, 1}};
    for (const auto& c : corners) {
        EXPECT_EQ(pictureRows(drawn(8, 5, Thin, Clear, [&](Canvas& k) { k.rectangle(c[0], c[1], c[2], c[3]); })),
                  expected)
            << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
    }
}

TEST(Rectangle, PaintsTheBrushInsideAndAThinBoxAsALine) {
    const Brush black{false, raster::Black};
    const raster::Pen whitePen{PenStyle::Plain, 1, raster::White};
    EXPECT_EQ(pictureRows(drawn(6, 5, whitePen, black, [](Canvas& k) { k.rectangle(0, 0, 5, 4); })),
              (Rows{"......", ".###..", ".###..", "......", "......"}));
    EXPECT_EQ(pictureRows(drawn(6, 3, Thin, Clear, [](Canvas& k) { k.rectangle(1, 1, 6, 2); })),
              (Rows{"......", ".#####", "......"}));
    EXPECT_EQ(pictureRows(drawn(6, 3, Thin, Clear, [](Canvas& k) { k.rectangle(1, 1, 1, 3); })), Rows(3, "......"));
}

TEST(Rectangle, WideSquarePenIsCentredOnTheBorder) {
    // Rectangle(3,3,12,9) at width 3 spans x 2..12 and y 2..9 around the hole x 5..9, y 5..6.
    const Bitmap bitmap =
        drawn(15, 11, {PenStyle::Square, 3, raster::Black}, Clear, [](Canvas& k) { k.rectangle(3, 3, 12, 9); });
    EXPECT_EQ(pictureRows(bitmap), (Rows{"...............", "...............", "..###########..", "..###########..",
                                         "..###########..", "..###.....###..", "..###.....###..", "..###########..",
                                         "..###########..", "..###########..", "..............."}));
}

TEST(Rectangle, NegativeCoordinatesShowOnlyTheOnBitmapPart) {
    EXPECT_EQ(pictureRows(drawn(6, 5, Thin, Clear, [](Canvas& k) { k.rectangle(-5, -4, 3, 3); })),
              (Rows{"..#...", "..#...", "###...", "......", "......"}));
    // A 5-wide pen reaches two pixels past the border at x = y = -2.
    EXPECT_EQ(pictureRows(drawn(6, 5, {PenStyle::Square, 5, raster::Black}, Clear,
                                [](Canvas& k) { k.rectangle(-9, -9, -1, -1); })),
              (Rows{"#.....", "......", "......", "......", "......"}));
}

TEST(Ellipse, SmallBoxesFollowTheEllipseWalk) {
    EXPECT_EQ(pictureRows(drawn(10, 8, Thin, Clear, [](Canvas& k) { k.ellipse(0, 0, 9, 7); })),
              (Rows{"..#####...", ".#.....#..", "#.......#.", "#.......#.", "#.......#.", ".#.....#..", "..#####...",
                    ".........."}));
    EXPECT_EQ(pictureRows(drawn(4, 4, Thin, Clear, [](Canvas& k) { k.ellipse(0, 0, 4, 4); })),
              (Rows{".##.", "#..#", "#..#", ".##."}));
    // A 2-pixel-wide box is a rectangle.
    EXPECT_EQ(pictureRows(drawn(4, 4, Thin, Clear, [](Canvas& k) { k.ellipse(1, 0, 3, 4); })),
              (Rows{".##.", ".##.", ".##.", ".##."}));
}

TEST(RoundRect, NegativeCornerSizesActAsTheirMagnitudes) {
    const auto with = [](int w, int h) {
        return pictureRows(
            drawn(16, 12, Thin, {false, raster::Black}, [&](Canvas& k) { k.roundRect(1, 1, 15, 11, w, h); }));
    };
    EXPECT_EQ(with(-7, -5), with(7, 5));
    EXPECT_EQ(with(7, -5), with(7, 5));
    EXPECT_EQ(with(0, 5),
              pictureRows(drawn(16, 12, Thin, {false, raster::Black}, [](Canvas& k) { k.rectangle(1, 1, 15, 11); })));
}

// A one-pixel box has four empty sides; a wide pen draws nothing there either, whatever its kind.
TEST(UnreferencedFigures, OnePixelBoxWithAWidePenDrawsNothing) {
    for (PenStyle style : {PenStyle::Plain, PenStyle::Square}) {
        for (int width = 1; width <= 8; ++width) {
            const Bitmap bitmap = drawn(12, 12, {style, width, raster::Black}, {false, raster::Black}, [](Canvas& k) {
                k.rectangle(5, 5, 6, 6);
                k.ellipse(6, 6, 5, 5);
                k.roundRect(5, 6, 6, 5, 3, 3);
            });
            EXPECT_EQ(blackCount(bitmap), 0) << "width " << width;
        }
    }
}

bool mirrored(const Rows& rows) {
    Rows flipped = rows;
    std::reverse(flipped.begin(), flipped.end());
    for (std::string& row : flipped) std::reverse(row.begin(), row.end());
    return flipped == rows;
}

// Narrow, tall ellipses run out of columns before the walk reaches their top and bottom rows; they
// are finished straight up and down so that the whole ellipse shows.
TEST(UnreferencedFigures, NarrowTallEllipsesAreDrawnWhole) {
    EXPECT_EQ(pictureRows(drawn(3, 8, Thin, Clear, [](Canvas& k) { k.ellipse(0, 0, 3, 8); })),
              (Rows{".#.", ".#.", "#.#", "#.#", "#.#", "#.#", ".#.", ".#."}));
    EXPECT_EQ(pictureRows(drawn(4, 7, Thin, Clear, [](Canvas& k) { k.ellipse(0, 0, 4, 7); })),
              (Rows{".##.", ".##.", "#..#", "#..#", "#..#", ".##.", ".##."}));
    for (int width : {3, 4, 5, 6}) {
        for (int height = width + 3; height <= 40; ++height) {
            const Bitmap outline =
                drawn(width, height, Thin, Clear, [&](Canvas& k) { k.ellipse(0, 0, width, height); });
            const Rows rows = pictureRows(outline);
            EXPECT_NE(rows.front().find('#'), std::string::npos) << width << " x " << height;
            EXPECT_NE(rows.back().find('#'), std::string::npos) << width << " x " << height;
            EXPECT_TRUE(mirrored(rows)) << width << " x " << height;
            // The interior fills each row exactly between the outline's ends.
            const Rows filled = pictureRows(
                drawn(width, height, Thin, {false, raster::Black}, [&](Canvas& k) { k.ellipse(0, 0, width, height); }));
            for (int y = 0; y < height; ++y) {
                const std::size_t first = rows[y].find('#');
                const std::size_t last = rows[y].rfind('#');
                ASSERT_NE(first, std::string::npos) << width << " x " << height << " row " << y;
                EXPECT_EQ(filled[y], std::string(first, '.') + std::string(last - first + 1, '#') +
                                         std::string(width - 1 - last, '.'))
                    << width << " x " << height << " row " << y;
            }
        }
    }
}

TEST(UnreferencedFigures, NarrowTallCornersKeepTheRoundRectClosed) {
    for (const Brush& brush : {Clear, Brush{false, raster::Black}}) {
        const Rows rows = pictureRows(drawn(12, 40, Thin, brush, [](Canvas& k) { k.roundRect(0, 0, 12, 40, 3, 24); }));
        EXPECT_EQ(rows.front(), ".##########.");
        EXPECT_EQ(rows.back(), ".##########.");
        EXPECT_TRUE(mirrored(rows));
    }
}

// Every figure drawn far off a small bitmap must show exactly the window of the same figure drawn on
// a big bitmap that holds all of it.
TEST(Clipping, NeverMovesAPixel) {
    std::mt19937 random(20240531);
    std::uniform_int_distribution<int> coordinate(-250, 350);
    std::uniform_int_distribution<int> width(1, 8);
    const int shiftX = 300;
    const int shiftY = 300;
    for (int i = 0; i < 300; ++i) {
        const raster::Pen pen{i % 2 ? PenStyle::Square : PenStyle::Plain, width(random), raster::Black};
        const Brush brush{i % 3 == 0, raster::Black};
        int c[6];
        for (int& v : c) v = coordinate(random);
        const auto figure = [&](Canvas& k, int dx, int dy) {
            switch (i % 4) {
                case 0:
                    k.moveTo(c[0] + dx, c[1] + dy);
                    k.lineTo(c[2] + dx, c[3] + dy);
                    break;
                case 1:
                    k.rectangle(c[0] + dx, c[1] + dy, c[2] + dx, c[3] + dy);
                    break;
                case 2:
                    k.ellipse(c[0] + dx, c[1] + dy, c[2] + dx, c[3] + dy);
                    break;
                default:
                    k.roundRect(c[0] + dx, c[1] + dy, c[2] + dx, c[3] + dy, c[4] / 4, c[5] / 4);
                    break;
            }
        };
        const Bitmap big = drawn(900, 900, pen, brush, [&](Canvas& k) { figure(k, shiftX, shiftY); });
        const Bitmap small = drawn(96, 80, pen, brush, [&](Canvas& k) { figure(k, 0, 0); });
        ASSERT_EQ(pictureRows(small), pictureRows(big, shiftX, shiftY, 96, 80)) << "figure " << i;
    }
}

}  // namespace
