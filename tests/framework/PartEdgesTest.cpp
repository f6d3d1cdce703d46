#include "framework/PartEdges.h"

#include <gtest/gtest.h>

TEST(ComputePartEdges, LastPartEndsCountWidthsBeforeTheEnd) {
    const int widths[3] = {0, 20, 20};
    struct Case { int barWidth, averageWidth; int edges[3]; };
    const Case cases[] = {
        {800, 7, {499, 639, 779}},
        {628, 8, {628 - 344, 628 - 184, 628 - 24}},
        {100, 7, {-201, -61, 79}},
    };
    for (const Case& c : cases) {
        int edges[3] = {};
        ComputePartEdges(c.barWidth, c.averageWidth, widths, 3, edges);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.edges[i], edges[i]) << c.barWidth << " part " << i;
        }
    }
}
