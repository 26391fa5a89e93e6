#include "editor/shapes.h"
#include "editor/view.h"

#include <gtest/gtest.h>

namespace {

TEST(PointerMapping, TruncatesTowardZeroNotDown) {
    struct Case {
        int view;
        int image;
    };
    for (const Case c : {Case{0, 0}, Case{5, 0}, Case{6, 1}, Case{575, 95}, Case{577, 96}, Case{-1, 0}, Case{-5, 0},
                         Case{-6, -1}, Case{-11, -1}, Case{-12, -2}})
        EXPECT_EQ(editor::toImageCoordinate(c.view), c.image) << "view " << c.view;
    EXPECT_EQ(editor::toImagePixel(-3, 61), (platform::Point{0, 10}));
}

TEST(PositionReadout, ShowsPixelWithInclusiveBoundsAndHidesFirstColumnAndRow) {
    struct Case {
        int X, Y;
        const char* text;
    };
    // A 10 x 8 document: the view covers 0..59 x 0..47.
    for (const Case c : {
             Case{1, 30, "(0, 5)"},
             Case{0, 30, ""},
             Case{30, 0, ""},
             Case{1, 1, "(0, 0)"},
             Case{59, 47, "(9, 7)"},
             Case{62, 30, "(10, 5)"},  // one column past the right edge during a drag
             Case{30, 48, "(5, 8)"},
             Case{66, 30, ""},
             Case{30, 54, ""},
             Case{-3, 30, ""},
         })
        EXPECT_EQ(editor::positionReadout(c.X, c.Y, 10, 8), c.text) << c.X << ", " << c.Y;
    EXPECT_EQ(editor::positionReadout(575, 479, 96, 80), "(95, 79)");
}

TEST(RoundRectCorner, IsHalfTheBoxTruncatedTowardZeroWithThePressCornerFirst) {
    EXPECT_EQ(editor::roundRectCorner({10, 10}, {30, 20}), (platform::Size{-10, -5}));
    EXPECT_EQ(editor::roundRectCorner({10, 10}, {25, 10}), (platform::Size{-7, 0}));
    EXPECT_EQ(editor::roundRectCorner({25, 17}, {10, 10}), (platform::Size{7, 3}));
    EXPECT_EQ(editor::roundRectCorner({4, 4}, {4, 4}), (platform::Size{0, 0}));
}

}  // namespace
