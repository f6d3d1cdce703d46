#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/AppInstance.h"
#include "framework/CenterWindow.h"
#include "tests/support/TestWindow.h"

namespace {

class CenterWindowTest : public ::testing::Test {
protected:
    void SetUp() override { appInstance = GetModuleHandleA(nullptr); }
};

TEST_F(CenterWindowTest, CentresOnTheOwnerWithinTheScreen) {
    const struct {
        RECT owner;
        int width, height;
        POINT expected;
    } table[] = {
        {{100, 100, 740, 580}, 200, 100, {320, 290}},
        {{500, 400, 700, 500}, 300, 150, {399, 349}},
        {{0, 0, 50, 40}, 300, 200, {0, 0}},
        {{-300, -200, 100, 100}, 200, 100, {0, 0}},
        {{700, 500, 1000, 700}, 400, 300, {599, 399}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.owner.left);
        TestWindow owner;
        ASSERT_EQ(1, owner.Create(nullptr, nullptr, "", row.owner.left, row.owner.top,
                                  row.owner.right - row.owner.left, row.owner.bottom - row.owner.top));
        TestWindow window;
        ASSERT_EQ(1, window.Create(owner.hwnd, nullptr, "", 10, 10, row.width, row.height));
        ASSERT_EQ(owner.hwnd, GetWindow(window.hwnd, GW_OWNER));
        EXPECT_TRUE(CenterWindow(window.hwnd));
        RECT placed;
        GetWindowRect(window.hwnd, &placed);
        EXPECT_EQ(row.expected.x, placed.left);
        EXPECT_EQ(row.expected.y, placed.top);
        EXPECT_EQ(row.width, placed.right - placed.left);
        EXPECT_EQ(row.height, placed.bottom - placed.top);
    }
}

TEST_F(CenterWindowTest, WindowWithoutOwnerIsCentredOnTheFullScreenArea) {
    const int width = 628;
    const int height = 580;
    TestWindow window;
    ASSERT_EQ(1, window.Create(nullptr, nullptr, "", 3, 3, width, height));
    EXPECT_TRUE(CenterWindow(window.hwnd));
    RECT placed;
    GetWindowRect(window.hwnd, &placed);
    int areaWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    int areaHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_LE(std::abs(placed.left + width / 2 - areaWidth / 2), 1);
    EXPECT_LE(std::abs(placed.top + height / 2 - areaHeight / 2), 1);
    EXPECT_EQ(width, placed.right - placed.left);
}

}  // namespace
