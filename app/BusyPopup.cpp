#include "app/BusyPopup.h"

#include "framework/GdiGuards.h"
#include "framework/GdiObject.h"
#include "framework/InfoContext.h"
#include "framework/PaintScope.h"
#include "framework/Painting.h"

namespace {

const char ClassName[] = "WKWND";
const int ExtraWidthChars = 12;
const int HeightLines = 5;
const int FrameInsetChars = 3;
const int FrameLineWidth = 1;

}  // namespace

BusyPopup::BusyPopup()
    : owner(nullptr), aveCharWidth(0), lineHeight(0), text(""), textColour(Black), backColour(LightGrey),
      frameRect{0, 0, 0, 0}, textFont(ScaledFont::Proportional) {
    RegisterWindowClass();
}

int BusyPopup::RegisterWindowClass() {
    static int registered = 0;
    WindowClassDescription description = {ClassName, CS_BYTEALIGNWINDOW | CS_GLOBALCLASS, nullptr, nullptr, nullptr,
                                           nullptr};
    return RegisterFrameworkClass(this, &registered, description, false);
}

int BusyPopup::Show(HWND ownerWindow, const char* popupText) {
    owner = ownerWindow;
    text = popupText != nullptr ? popupText : "";
    RECT ownerRect = {0, 0, 0, 0};
    GetWindowRect(owner, &ownerRect);

    scale = DisplayScale::OfWindow(owner);
    InfoContext info(textFont.ForScale(scale));
    if (!info.Measured()) {
        return 0;
    }
    aveCharWidth = info.Metrics().tmAveCharWidth;
    lineHeight = info.Metrics().tmHeight + info.Metrics().tmExternalLeading;

    int width = (lstrlenA(text) + ExtraWidthChars) * aveCharWidth;
    int height = HeightLines * lineHeight;
    style = WS_POPUP | WS_VISIBLE | WS_DLGFRAME;
    exStyle = WS_EX_DLGMODALFRAME;
    int x = ownerRect.left + (ownerRect.right - ownerRect.left) / 2 - width / 2;
    int y = ownerRect.top + (ownerRect.bottom - ownerRect.top) / 2 - height / 2;
    // A popup destroyed along with its owner leaves a stale handle that would stop the next
    // one from being created.
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        hwnd = nullptr;
    }
    RegisterWindowClass();
    if (CreateClassWindow(ClassName, owner, nullptr, nullptr, x, y, width, height)) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    }
    return 1;
}

LRESULT BusyPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        frameRect.left = FrameInsetChars * aveCharWidth;
        frameRect.top = lineHeight;
        frameRect.right = LOWORD(lParam) - FrameInsetChars * aveCharWidth;
        frameRect.bottom = HIWORD(lParam) - lineHeight;
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        BringWindowToTop(owner);
        return 0;
    case WM_CREATE:
    case WM_COMMAND:
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void BusyPopup::Paint() {
    PaintScope paint(hwnd);
    HDC dc = paint.Dc();
    FillFace(dc, paint.Area(), backColour);
    SetBkColor(dc, backColour);
    {
        GdiObject dark(CreatePen(PS_SOLID, scale.Scale(FrameLineWidth), Black));
        GdiObject light(CreatePen(PS_SOLID, scale.Scale(FrameLineWidth), White));
        if (dark.Get() != nullptr && light.Get() != nullptr) {
            DrawBevel(dc, frameRect, dark.Get(), light.Get());
        }
    }
    SetTextColor(dc, textColour);
    SelectedObject font(dc, textFont.ForScale(scale));
    DrawTextA(dc, text, -1, &frameRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
