#include "framework/Centering.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CenteredPosition, CentresClampsAndNeverGoesNegative) {
    struct Case { PlacementRect reference; int width, height; int x, y; };
    const Case cases[] = {
        {{100, 100, 740, 580}, 200, 100, 320, 290},    // centred on the owner
        {{500, 400, 700, 500}, 300, 150, 399, 349},    // ends one pixel before the owner's edge
        {{0, 0, 100, 80}, 300, 200, 0, 0},             // larger than a small top-left owner
        {{0, 0, 1024, 740}, 628, 580, 198, 80},        // no owner: the full-screen area
        {{-300, -200, 100, 100}, 200, 100, 0, 0},      // owner partly off screen: never negative
        {{0, 0, 1024, 740}, 1100, 800, 0, 0},          // larger than the screen
        {{10, 20, 10, 20}, 0, 0, 9, 19},               // empty: one pixel before the edge
        {{0, 0, 1000, 800}, 600, 100, 200, 350},
        {{0, 0, 1001, 801}, 601, 101, 200, 350},       // odd extents: truncating divisions
    };
    for (const Case& c : cases) {
        PlacementRect window = {40, 50, 40 + c.width, 50 + c.height};
        PlacementPoint point = CenteredPosition(c.reference, window);
        EXPECT_EQ(c.x, point.x) << c.reference.left << "," << c.reference.top << " " << c.width;
        EXPECT_EQ(c.y, point.y) << c.reference.left << "," << c.reference.top << " " << c.height;
    }
}

TEST(CenteredPosition, OnlyTheWindowsSizeMatters) {
    PlacementRect owner = {100, 100, 740, 580};
    PlacementPoint a = CenteredPosition(owner, {0, 0, 200, 100});
    PlacementPoint b = CenteredPosition(owner, {-5000, 3000, -4800, 3100});
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
}

TEST(CenteredPosition, ExtremeRectanglesDoNotOverflow) {
    PlacementRect everything = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    PlacementPoint point = CenteredPosition(everything, {0, 0, 10, 10});
    EXPECT_EQ(0, point.x);
    EXPECT_EQ(0, point.y);
    point = CenteredPosition(everything, {INT_MAX, INT_MAX, INT_MIN, INT_MIN});  // inverted
    EXPECT_GE(point.x, 0);
    EXPECT_GE(point.y, 0);
    point = CenteredPosition({INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}, {0, 0, 4, 4});
    EXPECT_EQ(INT_MAX - 10 + 5 - 2, point.x);
    EXPECT_EQ(INT_MAX - 10 + 5 - 2, point.y);
}
