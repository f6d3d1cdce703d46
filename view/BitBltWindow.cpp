#include "view/BitBltWindow.h"

#include "framework/AppInstance.h"
#include "framework/GdiGuards.h"
#include "framework/PaintScope.h"

namespace {

int registered = 0;
const char BitBltClassName[] = "BitBltWnd";
const DWORD ChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

}  // namespace

BitBltWindow::BitBltWindow()
    : backBitmap(nullptr), memoryDC(nullptr), backgroundBrush(nullptr), backgroundColor(0), clientWidth(0),
      clientHeight(0), savedDCState(0) {
    style = ChildStyle;
}

int BitBltWindow::Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) {
    RegisterWindowClass();
    return CreateClassWindow(BitBltClassName, parent, menuOrId, text, x, y, width, height);
}

int BitBltWindow::RegisterWindowClass() {
    WindowClassDescription description = {
        BitBltClassName, 0, nullptr, LoadCursorA(nullptr, IDC_ARROW),
        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), appInstance,
    };
    return RegisterFrameworkClass(this, &registered, description, true);
}

int BitBltWindow::OnCreate() {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    {
        WindowDC windowDC(hwnd);
        memoryDC = CreateCompatibleDC(windowDC.Get());
        savedDCState = SaveDC(memoryDC);
        backBitmap = CreateCompatibleBitmap(windowDC.Get(), screenWidth, screenHeight);
    }
    SelectObject(memoryDC, backBitmap);
    SetBackgroundColor(GetSysColor(COLOR_WINDOW));
    PatBlt(memoryDC, 0, 0, screenWidth, screenHeight, PATCOPY);
    return 1;
}

void BitBltWindow::OnDestroy() {
    RestoreDC(memoryDC, savedDCState);
    DeleteObject(backgroundBrush);
    DeleteObject(backBitmap);
    DeleteDC(memoryDC);
    backgroundBrush = nullptr;
    backBitmap = nullptr;
    memoryDC = nullptr;
}

void BitBltWindow::OnPaint() {
    PaintScope paint(hwnd);
    const RECT& area = paint.Area();
    BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memoryDC, area.left,
           area.top, SRCCOPY);
}

void BitBltWindow::ClearBackBuffer() {
    SelectObject(memoryDC, backgroundBrush);
    PatBlt(memoryDC, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), PATCOPY);
}

COLORREF BitBltWindow::SetBackgroundColor(COLORREF colour) {
    COLORREF previous = backgroundColor;
    backgroundColor = colour;
    SetBkColor(memoryDC, colour);
    HBRUSH oldBrush = backgroundBrush;
    backgroundBrush = CreateSolidBrush(colour);
    // The old brush may be selected; it must leave the DC before it can be deleted.
    SelectObject(memoryDC, backgroundBrush);
    if (oldBrush != nullptr) {
        DeleteObject(oldBrush);
    }
    return previous;
}

void BitBltWindow::BlitToWindow() {
    WindowDC windowDC(hwnd);
    HideCaret(hwnd);
    BitBlt(windowDC.Get(), 0, 0, clientWidth, clientHeight, memoryDC, 0, 0, SRCCOPY);
    ShowCaret(hwnd);
}

void BitBltWindow::SetClientSize(LPARAM size) {
    clientWidth = LOWORD(size);
    clientHeight = HIWORD(size);
}
