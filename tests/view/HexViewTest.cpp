// The hex view in the real main window: the scroll model and its inputs, painting only what
// is visible, and the match highlight read back from the back buffer.
#include "view/HexView.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "tests/support/WideText.h"

namespace {

const int ViewRows = 10;
const int DocumentRows = 100;  // full rows; the document then has one more, empty row
const int LastRow = DocumentRows;
const COLORREF MarkerColour = RGB(1, 2, 3);
const COLORREF TextColour = RGB(0, 0, 0);

std::string Pattern(int size) {
    std::string bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('A' + i % 26);
    }
    return bytes;
}

class HexViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        hexView.highlightMatch = 0;
    }

    void TearDown() override {
        // Back to the frame's own layout of the view.
        RECT client;
        GetClientRect(mainWindow.hwnd, &client);
        SendMessageA(mainWindow.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }

    void Load(int size) {
        std::string path = folder_.Write("doc.bin", Pattern(size));
        ASSERT_EQ(1, hexView.LoadFile(Wide(path).c_str()));
        SetViewRows(ViewRows);
    }

    // Sizes the view so that exactly rows whole rows fit.
    static void SetViewRows(int rows) {
        harness::SizeViewToRows(rows);
        ASSERT_EQ(rows, hexView.pageRows);
    }

    static void StartAt(int row) {
        hexView.topRow = row;
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        info.nPos = row;
        SetScrollInfo(hexView.hwnd, SB_VERT, &info, TRUE);
        SetPixel(hexView.memoryDC, MarkerX(), MarkerY(), MarkerColour);
    }

    // A pixel no row ever covers: clearing the back buffer is the first step of every render.
    static int MarkerX() { return GetSystemMetrics(SM_CXSCREEN) - 1; }
    static int MarkerY() { return GetSystemMetrics(SM_CYSCREEN) - 1; }
    static bool Rendered() { return GetPixel(hexView.memoryDC, MarkerX(), MarkerY()) != MarkerColour; }

    // The scroll bar keeps its thumb within the range less the page set by the load.
    static int ThumbFor(int row) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        GetScrollInfo(hexView.hwnd, SB_VERT, &info);
        int page = info.nPage > 0 ? static_cast<int>(info.nPage) : 1;
        int last = info.nMax - page + 1;
        return row < last ? row : last;
    }

    static int ThumbPosition() {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        GetScrollInfo(hexView.hwnd, SB_VERT, &info);
        return info.nPos;
    }

    // Copies rows from firstRow of the back buffer out in one transfer: a GetPixel per pixel is slow
    // under Wine.
    void Snap(int firstRow = 0) {
        snapWidth_ = DumpLineLength * hexView.charWidth;
        snapWidth_ = hexView.clientWidth > snapWidth_ ? hexView.clientWidth : snapWidth_;
        int height = SnapRows * hexView.lineHeight;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = snapWidth_;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(hexView.memoryDC);
        HGDIOBJ previous = SelectObject(dc, copy);
        BitBlt(dc, 0, 0, snapWidth_, height, hexView.memoryDC, 0, firstRow * hexView.lineHeight, SRCCOPY);
        GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        snap_.assign(pixels, pixels + snapWidth_ * height);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(copy);
    }

    // Pixels of the character cell at screen row y and column x that have the colour.
    int CellPixels(int y, int x, COLORREF colour) const {
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int count = 0;
        for (int dy = 0; dy < hexView.lineHeight; ++dy) {
            for (int dx = 0; dx < hexView.charWidth; ++dx) {
                size_t at = static_cast<size_t>((y * hexView.lineHeight + dy) * snapWidth_ + x * hexView.charWidth + dx);
                if ((snap_[at] & 0xFFFFFF) == wanted) {
                    ++count;
                }
            }
        }
        return count;
    }

    bool CellIsLit(int y, int x) const {
        return CellPixels(y, x, HighlightColor) >= hexView.charWidth * hexView.lineHeight / 2;
    }

    static const int SnapRows = 8;
    harness::ScratchFolder folder_;
    std::vector<DWORD> snap_;
    int snapWidth_ = 0;
};

TEST_F(HexViewTest, ScrollCommands) {
    Load(DocumentRows * BytesPerRow);
    ASSERT_EQ(DocumentRows + 1, hexView.rowCount);

    struct Case { int start; UINT command; int repaintFlag; int matchTopRow; int expected; bool rendered; };
    const Case cases[] = {
        {0, SB_LINEUP, 1, 0, 0, true},        // compared before the clamp: repaints in place
        {0, SB_LINEDOWN, 1, 0, 1, true},
        {5, SB_PAGEUP, 1, 0, 0, true},
        {50, SB_PAGEUP, 1, 0, 40, true},
        {95, SB_PAGEDOWN, 1, 0, LastRow, true},
        {LastRow, SB_PAGEDOWN, 1, 0, LastRow, true},
        {50, SB_THUMBPOSITION, 1, 0, 50, false},
        {50, SB_TOP, 1, 0, 0, true},
        {0, SB_TOP, 1, 0, 0, false},
        {0, SB_BOTTOM, 1, 0, LastRow, true},
        {50, SB_ENDSCROLL, 1, 0, 50, false},
        {50, MAKELONG(SB_LINEDOWN, 77), 1, 0, 51, true},  // the thumb position is not used
        {3, ScrollUp16, 1, 0, 0, true},
        {0, ScrollDown16, 1, 0, 16, true},
        {90, ScrollDown16, 1, 0, LastRow, true},
        {50, ScrollToMatch, 1, 70, 70, true},
        {50, ScrollToMatch, 1, 500, LastRow, true},
        {50, ScrollToMatch, 0, 60, 60, false},
        {50, SB_LINEDOWN, 0, 0, 51, false},
        {50, 1127, 1, 0, 50, false},
    };
    for (const Case& c : cases) {
        StartAt(c.start);
        hexView.matchTopRow = c.matchTopRow;
        hexView.Scroll(c.command, c.repaintFlag);
        EXPECT_EQ(c.expected, hexView.topRow) << "from " << c.start << " command " << c.command;
        EXPECT_EQ(ThumbFor(c.expected), ThumbPosition()) << "from " << c.start << " command " << c.command;
        EXPECT_EQ(c.rendered, Rendered()) << "from " << c.start << " command " << c.command;
    }
}

TEST_F(HexViewTest, KeysAndWheel) {
    Load(DocumentRows * BytesPerRow);
    struct Case { UINT message; WPARAM wParam; int start; int expected; };
    const Case cases[] = {
        {WM_KEYDOWN, VK_NEXT, 0, 10},
        {WM_KEYDOWN, VK_PRIOR, 15, 5},
        {WM_KEYDOWN, VK_END, 30, LastRow},
        {WM_KEYDOWN, VK_HOME, 30, 0},
        {WM_KEYDOWN, VK_UP, 30, 29},
        {WM_KEYDOWN, VK_DOWN, 30, 31},
        {WM_KEYDOWN, VK_LEFT, 30, 30},
        {WM_KEYDOWN, VK_RIGHT, 30, 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 30, 14},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 30, 46},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 1), 30, 14},              // any turn is one step
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-5 * WHEEL_DELTA)), 30, 46},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 30, 46},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 5, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 95, LastRow},
    };
    for (const Case& c : cases) {
        StartAt(c.start);
        SendMessageA(hexView.hwnd, c.message, c.wParam, 0);
        EXPECT_EQ(c.expected, hexView.topRow) << "message " << c.message << " wParam " << c.wParam;
    }
}

TEST_F(HexViewTest, EndOnAWholeNumberOfRowsShowsTheEmptyRow) {
    Load(10 * BytesPerRow);
    SendMessageA(hexView.hwnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(10, hexView.topRow);
    Snap();
    int textPixels = 0;
    for (int x = 0; x < DumpLineLength; ++x) {
        textPixels += CellPixels(0, x, TextColour);
    }
    EXPECT_EQ(0, textPixels) << "the last row holds no byte and no offset";
}

// Drives the scroll bar's own tracking loop: the thumb is pressed and dragged, and the view
// must follow while the button is still down.
HHOOK filterHook;
int topRowAtRelease = -1;

LRESULT CALLBACK WatchTracking(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_SCROLLBAR && message->message == WM_LBUTTONUP) {
        topRowAtRelease = hexView.topRow;
    }
    return CallNextHookEx(filterHook, code, wParam, lParam);
}

TEST_F(HexViewTest, DraggingTheThumbScrollsWhileDragging) {
    Load(DocumentRows * BytesPerRow);
    StartAt(0);
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(hexView.hwnd, OBJID_VSCROLL, &bar));
    POINT thumb = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                   bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    POINT client = thumb;
    ScreenToClient(hexView.hwnd, &client);
    int travel = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) / 2;

    filterHook = SetWindowsHookExA(WH_MSGFILTER, WatchTracking, nullptr, GetCurrentThreadId());
    topRowAtRelease = -1;
    PostMessageA(hexView.hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + travel));
    PostMessageA(hexView.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y + travel));
    SendMessageA(hexView.hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
    UnhookWindowsHookEx(filterHook);
    PumpMessages();

    EXPECT_GT(topRowAtRelease, 20) << "the view follows the thumb during the drag";
    EXPECT_EQ(topRowAtRelease, hexView.topRow) << "letting go does not move it again";
    EXPECT_EQ(hexView.topRow, ThumbPosition());
}

TEST_F(HexViewTest, ResizingRepaintsWithoutMovingTheTopRow) {
    Load(DocumentRows * BytesPerRow);
    StartAt(20);
    SetViewRows(6);
    EXPECT_EQ(20, hexView.topRow);
    EXPECT_TRUE(Rendered());
    Snap();
    // Rows beyond the page plus the partly visible one are not drawn.
    EXPECT_GT(CellPixels(6, 1, TextColour), 0);
    EXPECT_EQ(0, CellPixels(7, 1, TextColour));
}

TEST_F(HexViewTest, AViewLargerThanTheScreenPaintsEveryRowAndTheBackgroundBeyond) {
    const int screenRows = GetSystemMetrics(SM_CYSCREEN) / hexView.lineHeight;
    const int screenColumns = GetSystemMetrics(SM_CXSCREEN) / hexView.charWidth;
    Load((screenRows + 2) * BytesPerRow);
    MoveWindow(hexView.hwnd, 0, 0, (screenColumns + 8) * hexView.charWidth,
               (screenRows + SnapRows + 1) * hexView.lineHeight, TRUE);
    Snap(screenRows);
    const int cell = hexView.charWidth * hexView.lineHeight;
    for (int row = 0; row < SnapRows; ++row) {
        EXPECT_EQ(row < 2, CellPixels(row, 1, hexView.backgroundColor) < cell) << row;
        EXPECT_EQ(cell, CellPixels(row, screenColumns + 2, hexView.backgroundColor)) << row;
    }
}

TEST_F(HexViewTest, MatchHighlight) {
    struct Lit { int screenRow; int first; int count; };
    struct Case { const char* name; int size; int top; int matchStart; int matchEnd; Lit lit[3]; };
    const Case cases[] = {
        {"21 bytes from byte 12", 64, 0, 12, 33, {{0, 12, 4}, {1, 0, 16}, {2, 0, 1}}},
        {"one byte at a row's start", 64, 0, 16, 17, {{1, 0, 1}, {-1, 0, 0}, {-1, 0, 0}}},
        {"starting above the top row", 64, 1, 5, 40, {{0, 0, 16}, {1, 0, 8}, {-1, 0, 0}}},
        {"beyond the document's end", 20, 0, 18, 40, {{1, 2, 2}, {-1, 0, 0}, {-1, 0, 0}}},
        {"off the page", 64, 2, 0, 20, {{-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}}},
    };
    const int rowsChecked = 4;
    for (const Case& c : cases) {
        Load(c.size);
        StartAt(c.top);
        hexView.highlightMatch = 1;
        hexView.matchStart = c.matchStart;
        hexView.matchEnd = c.matchEnd;
        hexView.Paint();
        Snap();
        for (int y = 0; y < rowsChecked; ++y) {
            int first = 0;
            int count = 0;
            for (const Lit& lit : c.lit) {
                if (lit.screenRow == y) {
                    first = lit.first;
                    count = lit.count;
                }
            }
            for (int x = 0; x < DumpLineLength; ++x) {
                int hexStart = HexAreaColumn + 3 * first;
                int textStart = TextAreaColumn + first;
                bool expected = count > 0 && ((x >= hexStart && x < hexStart + 3 * count - 1) ||
                                              (x >= textStart && x < textStart + count));
                EXPECT_EQ(expected, CellIsLit(y, x)) << c.name << ": row " << y << " column " << x;
            }
        }
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), hexView.backgroundColor) << c.name;
        hexView.highlightMatch = 0;
    }
}

TEST_F(HexViewTest, ALoadClearsTheHighlight) {
    Load(64);
    hexView.highlightMatch = 1;
    hexView.matchStart = 0;
    hexView.matchEnd = 20;
    Load(64);
    EXPECT_EQ(0, hexView.highlightMatch);
    Snap();
    EXPECT_FALSE(CellIsLit(0, HexAreaColumn));
}

}  // namespace
