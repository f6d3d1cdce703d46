#include "framework/PartEdges.h"

#include <gtest/gtest.h>

TEST(ComputePartEdges, LastPartEndsCountWidthsBeforeTheEnd) {
    const int widths[3] = {12345, 20, 20};  // the first width is never read
    struct Case { int barWidth, averageWidth; int edges[3]; };
    const Case cases[] = {
        {800, 7, {499, 639, 779}},                       // W-43A, W-23A, W-3A
        {628, 8, {628 - 344, 628 - 184, 628 - 24}},
        {100, 7, {-201, -61, 79}},                       // narrow: negative edges pass through
        {0, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        int edges[3] = {};
        ComputePartEdges(c.barWidth, c.averageWidth, widths, 3, edges);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.edges[i], edges[i]) << c.barWidth << " part " << i;
        }
    }
}

TEST(ComputePartEdges, OtherPartCounts) {
    const int widths[4] = {99, 10, 5, 1};
    int edges[4] = {};
    ComputePartEdges(400, 6, widths, 4, edges);
    EXPECT_EQ(376, edges[3]);        // 400 - 4*6
    EXPECT_EQ(370, edges[2]);        // - 1*6
    EXPECT_EQ(340, edges[1]);        // - 5*6
    EXPECT_EQ(280, edges[0]);        // - 10*6

    int single[1] = {};
    ComputePartEdges(300, 7, widths, 1, single);
    EXPECT_EQ(293, single[0]);

    int untouched[2] = {-1, -1};
    ComputePartEdges(300, 7, widths, 0, untouched);
    EXPECT_EQ(-1, untouched[0]);
    EXPECT_EQ(-1, untouched[1]);
}
