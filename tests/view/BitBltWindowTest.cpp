// The back buffer: paints come from it without rendering, and its GDI objects are kept to
// exactly the three it owns.
#include "view/BitBltWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/ResourceCounter.h"
#include "framework/AppInstance.h"
#include "view/ScreenSeam.h"

namespace {

const char ParentClassName[] = "BitBltTestParent";
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 255, 0);
const COLORREF Black = RGB(0, 0, 0);
const int ChildWidth = 200;
const int ChildHeight = 100;
// A screen smaller than every window here, as beside a larger second monitor.
const int SmallScreenSide = 30;
int WINAPI SmallScreen(int index) {
    return index == SM_CXSCREEN || index == SM_CYSCREEN ? SmallScreenSide : GetSystemMetrics(index);
}

// Counts its renders so a test can tell a paint from the back buffer from a redraw.
class CountingWindow : public BitBltWindow {
public:
    void OnSize(WPARAM, LPARAM lParam) override { SetClientSize(lParam); }

    void Render(COLORREF colour) {
        SetBackgroundColor(colour);
        ClearBackBuffer();
        BlitToWindow();
        ++renders;
    }

    int renders = 0;
};

class BitBltWindowTest : public ::testing::Test {
protected:
    // One parent for all tests: under Xvfb without a window manager Wine takes about two
    // seconds to destroy a top-level window.
    void SetUp() override {
        harness::StartProgramWindows();
        if (parent_ != nullptr) {
            return;
        }
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = DefWindowProcA;
        parentClass.hInstance = appInstance;
        parentClass.lpszClassName = ParentClassName;
        RegisterClassA(&parentClass);
        parent_ = CreateWindowExA(0, ParentClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, ChildWidth + 100,
                                  ChildHeight + 100, nullptr, nullptr, appInstance, nullptr);
        ASSERT_NE(nullptr, parent_);
    }

    void TearDown() override { screenMetrics = GetSystemMetrics; }

    void CreateChild(CountingWindow* window) {
        ASSERT_TRUE(window->Create(parent_, nullptr, "", 0, 0, ChildWidth, ChildHeight));
        PumpMessages();
    }

    static COLORREF ScreenPixel(HWND window, int x, int y) {
        HDC dc = GetDC(window);
        COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return pixel;
    }

    static HWND parent_;
};

HWND BitBltWindowTest::parent_ = nullptr;

TEST_F(BitBltWindowTest, PaintCopiesExactlyTheUpdateRectangleWithoutRendering) {
    CountingWindow window;
    CreateChild(&window);
    ASSERT_EQ(ChildWidth, window.clientWidth);
    window.Render(Red);
    ASSERT_EQ(Red, ScreenPixel(window.hwnd, 5, 5));

    // Stale picture on the screen, so what a paint copies shows.
    HDC dc = GetDC(window.hwnd);
    RECT all = {0, 0, ChildWidth, ChildHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window.hwnd, dc);
    ValidateRect(window.hwnd, nullptr);

    RECT part = {20, 10, 60, 40};
    InvalidateRect(window.hwnd, &part, FALSE);
    UpdateWindow(window.hwnd);

    struct Probe { int x; int y; COLORREF expected; };
    const Probe probes[] = {
        {20, 10, Red}, {59, 39, Red}, {40, 25, Red},
        {19, 10, Black}, {60, 39, Black}, {20, 9, Black}, {59, 40, Black}, {150, 80, Black},
    };
    for (const Probe& probe : probes) {
        EXPECT_EQ(probe.expected, ScreenPixel(window.hwnd, probe.x, probe.y)) << probe.x << "," << probe.y;
    }
    EXPECT_EQ(1, window.renders);
    window.Destroy();
}

TEST_F(BitBltWindowTest, UncoveringRepaintsFromTheBackBuffer) {
    CountingWindow window;
    CreateChild(&window);
    window.Render(Green);
    RECT onScreen;
    GetWindowRect(window.hwnd, &onScreen);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, ParentClassName, "", WS_POPUP | WS_VISIBLE, onScreen.left + 10,
                                 onScreen.top + 10, 50, 30, nullptr, nullptr, appInstance, nullptr);
    ASSERT_NE(nullptr, cover);
    PumpMessages();
    DestroyWindow(cover);
    PumpMessages();
    UpdateWindow(window.hwnd);

    EXPECT_EQ(Green, ScreenPixel(window.hwnd, 30, 25));
    EXPECT_EQ(1, window.renders);
    window.Destroy();
}

TEST_F(BitBltWindowTest, ProbingCounterSeesADeliberateLeak) {
    ExpectCountersSeeALeak();
}

TEST_F(BitBltWindowTest, ColourChangesKeepExactlyOneBrush) {
    CountingWindow window;
    CreateChild(&window);
    int before = CountGdiObjects();
    HBRUSH first = window.backgroundBrush;

    COLORREF previous = window.SetBackgroundColor(Red);
    window.SetBackgroundColor(previous);

    EXPECT_EQ(before, CountGdiObjects());
    EXPECT_EQ(0u, GetObjectType(first)) << "the replaced brush must be deleted";
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(window.backgroundBrush));
    EXPECT_EQ(previous, window.backgroundColor);
    EXPECT_EQ(previous, GetBkColor(window.memoryDC));
    window.Destroy();
}

TEST_F(BitBltWindowTest, DestroyReleasesItsThreeObjects) {
    {
        // The first window of a class may make objects that Wine keeps for later windows.
        CountingWindow warmUp;
        CreateChild(&warmUp);
        warmUp.Destroy();
    }
    int before = CountGdiObjects();
    CountingWindow window;
    CreateChild(&window);
    HGDIOBJ owned[] = {window.memoryDC, window.backBitmap, window.backgroundBrush};
    EXPECT_EQ(before + 3, CountGdiObjects());
    window.Render(Red);

    window.Destroy();
    PumpMessages();
    for (HGDIOBJ object : owned) {
        EXPECT_EQ(0u, GetObjectType(object));
    }
    EXPECT_EQ(before, CountGdiObjects());
}

TEST_F(BitBltWindowTest, AWindowLargerThanTheScreenIsCoveredAsItGrowsWithOneBitmapAtATime) {
    screenMetrics = SmallScreen;
    CountingWindow window;
    CreateChild(&window);
    window.Render(Red);
    int withWindow = CountGdiObjects();
    const SIZE sizes[] = {{ChildWidth, ChildHeight}, {ChildWidth + 90, ChildHeight + 90}};
    for (const SIZE& size : sizes) {
        MoveWindow(window.hwnd, 0, 0, size.cx, size.cy, FALSE);
        window.Render(Green);
        EXPECT_EQ(Green, ScreenPixel(window.hwnd, size.cx - 1, size.cy - 1)) << size.cx;
        EXPECT_EQ(withWindow, CountGdiObjects()) << "the outgrown bitmap is deleted";
    }
    window.Destroy();
}

}  // namespace
