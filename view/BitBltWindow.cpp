#include "view/BitBltWindow.h"

#include "framework/AppInstance.h"
#include "framework/GdiGuards.h"
#include "framework/PaintScope.h"
#include "view/ScreenSeam.h"

SystemMetricsFunction screenMetrics = GetSystemMetrics;

namespace {

int registered = 0;
const char BitBltClassName[] = "BitBltWnd";
const DWORD ChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

int Larger(int a, int b) {
    return a > b ? a : b;
}

}  // namespace

BitBltWindow::BitBltWindow()
    : backBitmap(nullptr), memoryDC(nullptr), backgroundBrush(nullptr), backgroundColor(0), clientWidth(0),
      clientHeight(0), savedDCState(0), bufferWidth(0), bufferHeight(0) {
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
    {
        WindowDC windowDC(hwnd);
        memoryDC = CreateCompatibleDC(windowDC.Get());
    }
    savedDCState = SaveDC(memoryDC);
    SetBackgroundColor(GetSysColor(COLOR_WINDOW));
    CoverArea(0, 0);
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
    PatBlt(memoryDC, 0, 0, bufferWidth, bufferHeight, PATCOPY);
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
    CoverArea(clientWidth, clientHeight);
}

void BitBltWindow::CoverArea(int width, int height) {
    if (backBitmap != nullptr && width <= bufferWidth && height <= bufferHeight) {
        return;
    }
    // At least the screen, so that resizing a window within it never costs a new buffer.
    int newWidth = Larger(Larger(width, screenMetrics(SM_CXSCREEN)), bufferWidth);
    int newHeight = Larger(Larger(height, screenMetrics(SM_CYSCREEN)), bufferHeight);
    HBITMAP bitmap;
    {
        WindowDC windowDC(hwnd);
        bitmap = CreateCompatibleBitmap(windowDC.Get(), newWidth, newHeight);
    }
    // Without memory for a larger one, the window keeps the buffer it has.
    if (bitmap == nullptr) {
        return;
    }
    SelectObject(memoryDC, bitmap);
    if (backBitmap != nullptr) {
        DeleteObject(backBitmap);
    }
    backBitmap = bitmap;
    bufferWidth = newWidth;
    bufferHeight = newHeight;
    ClearBackBuffer();
}
