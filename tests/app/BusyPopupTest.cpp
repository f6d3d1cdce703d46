#include <windows.h>

#include <gtest/gtest.h>

#include "app/Globals.h"
#include "framework/AppInstance.h"
#include "tests/support/DisplayMetrics.h"

namespace {

const COLORREF Black = 0x000000;
const COLORREF White = 0xFFFFFF;
const COLORREF LightGrey = 0xC0C0C0;

HWND CreateOwner(const RECT& rect) {
    return CreateWindowExA(0, "STATIC", "view", WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

class BusyPopupTest : public ::testing::Test {
protected:
    void SetUp() override { appInstance = GetModuleHandleA(nullptr); }
};

TEST_F(BusyPopupTest, IsSizedByItsTextAndCentredOnItsOwner) {
    struct Case {
        const char* text;
        int widthChars;
        RECT owner;
    };
    const Case cases[] = {
        {"Loading...", 22, {100, 100, 740, 580}},
        {"Loading...", 22, {0, 0, 301, 201}},
        {"", 12, {200, 150, 600, 450}},
        {"Reading a large file", 32, {50, 60, 950, 700}},
    };
    DisplayMetrics display = DisplayMetrics::Measure();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        HWND owner = CreateOwner(c.owner);
        ASSERT_EQ(1, busyPopup.Show(owner, c.text));
        ASSERT_TRUE(IsWindow(busyPopup.hwnd));
        EXPECT_EQ(owner, GetWindow(busyPopup.hwnd, GW_OWNER));
        RECT popup;
        GetWindowRect(busyPopup.hwnd, &popup);
        int width = c.widthChars * display.aveCharWidth;
        int height = 5 * display.lineHeight;
        EXPECT_EQ(width, popup.right - popup.left);
        EXPECT_EQ(height, popup.bottom - popup.top);
        EXPECT_EQ(c.owner.left + (c.owner.right - c.owner.left) / 2 - width / 2, popup.left);
        EXPECT_EQ(c.owner.top + (c.owner.bottom - c.owner.top) / 2 - height / 2, popup.top);

        RECT client;
        GetClientRect(busyPopup.hwnd, &client);
        EXPECT_EQ(3 * display.aveCharWidth, busyPopup.frameRect.left);
        EXPECT_EQ(display.lineHeight, busyPopup.frameRect.top);
        EXPECT_EQ(client.right - 3 * display.aveCharWidth, busyPopup.frameRect.right);
        EXPECT_EQ(client.bottom - display.lineHeight, busyPopup.frameRect.bottom);

        EXPECT_EQ(1, busyPopup.Destroy());
        EXPECT_EQ(nullptr, busyPopup.hwnd);
        DestroyWindow(owner);
    }
}

TEST_F(BusyPopupTest, PaintsItsSunkenFrameWithoutAMessageLoop) {
    HWND owner = CreateOwner({100, 100, 740, 580});
    ASSERT_EQ(1, busyPopup.Show(owner, "Loading..."));
    const RECT& frame = busyPopup.frameRect;
    HDC dc = GetDC(busyPopup.hwnd);
    struct Probe {
        const char* where;
        int x, y;
        COLORREF colour;
    };
    const Probe probes[] = {
        {"face outside the frame", 2, 2, LightGrey},
        {"left edge", frame.left, (frame.top + frame.bottom) / 2, Black},
        {"top edge", frame.left + 2, frame.top, Black},
        {"right edge", frame.right, (frame.top + frame.bottom) / 2, White},
        {"bottom edge", frame.left + 2, frame.bottom, White},
        {"inside the frame, left of the text", frame.left + 2, frame.top + 2, LightGrey},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.where);
        EXPECT_EQ(probe.colour, GetPixel(dc, probe.x, probe.y));
    }
    int textPixels = 0;
    for (int x = frame.left + 1; x < frame.right; ++x) {
        if (GetPixel(dc, x, (frame.top + frame.bottom) / 2) == Black) {
            ++textPixels;
        }
    }
    EXPECT_GT(textPixels, 0);
    ReleaseDC(busyPopup.hwnd, dc);
    EXPECT_EQ(1, busyPopup.Destroy());
    DestroyWindow(owner);
}

TEST_F(BusyPopupTest, ShowsAgainAfterItsOwnerTookItAway) {
    HWND owner = CreateOwner({100, 100, 740, 580});
    ASSERT_EQ(1, busyPopup.Show(owner, "Loading..."));
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(busyPopup.hwnd));

    owner = CreateOwner({100, 100, 740, 580});
    ASSERT_EQ(1, busyPopup.Show(owner, "Loading..."));
    EXPECT_TRUE(IsWindow(busyPopup.hwnd));
    EXPECT_EQ(1, busyPopup.Destroy());
    DestroyWindow(owner);
}

}  // namespace
