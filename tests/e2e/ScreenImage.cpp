#include "ScreenImage.h"

namespace {

const WORD BitsPerPixel = 32;

// A guard for the screen device context, which must be released on every path.
class ScreenDC {
public:
    ScreenDC() : dc(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC dc;
};

}  // namespace

ScreenImage ScreenImage::OfClientArea(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return Capture(rect);
}

ScreenImage ScreenImage::OfWindow(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return Capture(rect);
}

ScreenImage ScreenImage::Capture(const RECT& screenRect) {
    ScreenImage image;
    image.width = screenRect.right - screenRect.left;
    image.height = screenRect.bottom - screenRect.top;
    if (image.width <= 0 || image.height <= 0) {
        image.width = image.height = 0;
        return image;
    }

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = BitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;

    ScreenDC screen;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen.dc);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen.dc, screenRect.left, screenRect.top, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    image.pixels.assign(source, source + image.width * image.height);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return image;
}

COLORREF ScreenImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return CLR_INVALID;
    }
    const DWORD bgr = pixels[y * width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}
