#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/AppInstance.h"
#include "framework/StatusBar.h"
#include "tests/support/ResourceCounter.h"
#include "tests/support/TestWindow.h"

namespace {

const int ParentHeight = 300;
const int PartCount = 3;
const int FixedPartWidth = 20;
const int LeakRounds = 50;

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        appInstance = GetModuleHandleA(nullptr);
        InitCommonControls();
    }
};

// A bar of the program's shape, parts (0, 20, 20) with the given style bits, on its own parent.
struct BarOnWindow {
    int Create(int parentWidth, const UINT styles[PartCount]) {
        if (!parent.Create(nullptr, nullptr, "", 0, 0, parentWidth, ParentHeight) || !bar.InitParts(PartCount)) {
            return 0;
        }
        bar.AddPart(0, styles[0]);
        bar.AddPart(FixedPartWidth, styles[1]);
        bar.AddPart(FixedPartWidth, styles[2]);
        return bar.CreateBar(parent.hwnd);
    }

    int AverageCharWidth() {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(bar.hwnd, WM_GETFONT, 0, 0));
        if (font == nullptr) {
            font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        }
        HDC dc = GetDC(parent.hwnd);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(parent.hwnd, dc);
        return metrics.tmAveCharWidth;
    }

    TestWindow parent;
    StatusBar bar;
};

const UINT noStyles[PartCount] = {0, 0, 0};

TEST_F(StatusBarTest, ParentSizeSetsEdgesFromTheBarsWidthAndFont) {
    const int parentWidths[] = {800, 500, 120};
    for (int parentWidth : parentWidths) {
        SCOPED_TRACE(parentWidth);
        BarOnWindow shown;
        ASSERT_EQ(1, shown.Create(parentWidth, noStyles));
        StatusBar& bar = shown.bar;
        bar.OnParentSize(SIZE_RESTORED, MAKELPARAM(parentWidth, ParentHeight));
        RECT placed;
        GetWindowRect(bar.hwnd, &placed);
        int width = placed.right - placed.left;
        EXPECT_EQ(parentWidth, width);
        EXPECT_EQ(ParentHeight, placed.bottom);
        int average = shown.AverageCharWidth();
        ASSERT_GT(average, 0);
        std::vector<int> expected = {width - 43 * average, width - 23 * average, width - 3 * average};
        EXPECT_EQ(expected, std::vector<int>(bar.partEdges, bar.partEdges + PartCount));
        int sent[PartCount] = {};
        EXPECT_EQ(PartCount, SendMessageA(bar.hwnd, SB_GETPARTS, PartCount, reinterpret_cast<LPARAM>(sent)));
        if (expected[0] >= 0) {
            EXPECT_EQ(expected, std::vector<int>(sent, sent + PartCount));
        }
    }
}

TEST_F(StatusBarTest, MeasuringReleasesItsDeviceContextAndFont) {
    BarOnWindow shown;
    ASSERT_EQ(1, shown.Create(800, noStyles));
    StatusBar& bar = shown.bar;
    int before = CountGdiObjects();
    ExpectCountersSeeALeak();
    for (int i = 0; i < LeakRounds; ++i) {
        bar.OnParentSize(SIZE_RESTORED, MAKELPARAM(800, ParentHeight));
    }
    EXPECT_EQ(before, CountGdiObjects());
}

TEST_F(StatusBarTest, PartTextCarriesThePartsStyleBits) {
    const UINT styles[PartCount] = {0, SBT_NOBORDERS, SBT_POPOUT};
    BarOnWindow shown;
    ASSERT_EQ(1, shown.Create(800, styles));
    StatusBar& bar = shown.bar;
    for (int part = 0; part < PartCount; ++part) {
        SCOPED_TRACE(part);
        LRESULT empty = SendMessageA(bar.hwnd, SB_GETTEXTLENGTHA, part, 0);
        EXPECT_EQ(0, LOWORD(empty));
        EXPECT_EQ(styles[part], HIWORD(empty));

        std::string text = "part " + std::to_string(part);
        EXPECT_NE(0, bar.SetPartText(part, text.c_str()));
        LRESULT info = SendMessageA(bar.hwnd, SB_GETTEXTLENGTHA, part, 0);
        EXPECT_EQ(text.size(), LOWORD(info));
        EXPECT_EQ(styles[part], HIWORD(info));
        char read[32] = "";
        SendMessageA(bar.hwnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(read));
        EXPECT_EQ(text, read);
    }
}

TEST_F(StatusBarTest, PartTextOutsideTheBarIsRefused) {
    BarOnWindow shown;
    ASSERT_EQ(1, shown.Create(800, noStyles));
    StatusBar& bar = shown.bar;
    const int outside[] = {PartCount, -1, 1000};
    for (int index : outside) {
        EXPECT_EQ(0, bar.SetPartText(index, "x"));
    }
}

TEST_F(StatusBarTest, HiddenBarHasNoVisibleHeight) {
    BarOnWindow shown;
    ASSERT_EQ(1, shown.Create(800, noStyles));
    StatusBar& bar = shown.bar;
    bar.OnParentSize(SIZE_RESTORED, MAKELPARAM(800, ParentHeight));
    RECT placed;
    GetWindowRect(bar.hwnd, &placed);
    ASSERT_GT(placed.bottom - placed.top, 0);
    EXPECT_EQ(placed.bottom - placed.top, bar.VisibleHeight());
    ShowWindow(bar.hwnd, SW_HIDE);
    EXPECT_EQ(0, bar.VisibleHeight());
}

TEST_F(StatusBarTest, PartsBeyondTheCapacityAreIgnored) {
    const struct {
        int capacity;
        int added;
        int result;
        int count;
    } table[] = {
        {2, 3, 1, 2},
        {0, 1, 1, 0},
        {-1, 1, 0, 0},
        {256, 257, 1, 256},
        {257, 1, 0, 0},
        {0x40000000, 1, 0, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.capacity);
        StatusBar parts;
        EXPECT_EQ(row.result, parts.InitParts(row.capacity));
        for (int i = 0; i < row.added; ++i) {
            parts.AddPart(i, 0);
        }
        EXPECT_EQ(row.count, parts.partCount);
        EXPECT_EQ(row.result == 1 ? row.capacity : 0, parts.partCapacity);
    }
}

}  // namespace
