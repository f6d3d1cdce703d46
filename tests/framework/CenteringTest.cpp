#include "framework/Centering.h"

#include <gtest/gtest.h>

TEST(CenteredPosition, CentresClampsAndNeverGoesNegative) {
    struct Case { PlacementRect reference; int width, height; int x, y; };
    const Case cases[] = {
        {{100, 100, 740, 580}, 200, 100, 320, 290},
        {{500, 400, 700, 500}, 300, 150, 399, 349},
        {{0, 0, 100, 80}, 300, 200, 0, 0},
        {{0, 0, 1024, 740}, 628, 580, 198, 80},
        {{-300, -200, 100, 100}, 200, 100, 0, 0},
    };
    for (const Case& c : cases) {
        PlacementRect window = {40, 50, 40 + c.width, 50 + c.height};
        PlacementPoint point = CenteredPosition(c.reference, window);
        EXPECT_EQ(c.x, point.x) << c.reference.left << "," << c.reference.top;
        EXPECT_EQ(c.y, point.y) << c.reference.left << "," << c.reference.top;
    }
}
