#include "framework/StatusBar.h"

#include <commctrl.h>
#include <new>

#include "framework/GdiGuards.h"
#include "framework/PartEdges.h"

namespace {

// The most parts a status window accepts in SB_SETPARTS.
const int MaxParts = 256;

}  // namespace

StatusBar::StatusBar()
    : parent(nullptr), partCapacity(0), partWidths(nullptr), partStyles(nullptr), partEdges(nullptr),
      partCount(0), font(ScaledFont::Proportional) {
}

int StatusBar::InitParts(int count) {
    if (count < 0 || count > MaxParts) {
        partCapacity = 0;
        return 0;
    }
    partStyles = new (std::nothrow) UINT[count]();
    partWidths = new (std::nothrow) int[count]();
    partEdges = new (std::nothrow) int[count]();
    if (partEdges == nullptr || partWidths == nullptr || partStyles == nullptr) {
        // Every later operation walks partCapacity entries of all three arrays.
        delete[] partStyles;
        delete[] partWidths;
        delete[] partEdges;
        partStyles = nullptr;
        partWidths = nullptr;
        partEdges = nullptr;
        partCapacity = 0;
        return 0;
    }
    partCapacity = count;
    return 1;
}

void StatusBar::AddPart(int width, UINT styleBits) {
    if (partCount < partCapacity) {
        partWidths[partCount] = width;
        partStyles[partCount] = styleBits;
        ++partCount;
    }
}

int StatusBar::CreateBar(HWND parentWindow) {
    parent = parentWindow;
    AllocateControlId();
    hwnd = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, parentWindow, id);
    if (hwnd == nullptr) {
        return 0;
    }
    SendMessageA(hwnd, SB_SETPARTS, partCapacity, reinterpret_cast<LPARAM>(partEdges));
    for (int i = 0; i < partCapacity; ++i) {
        SendMessageA(hwnd, SB_SETTEXTA, i | partStyles[i], 0);
    }
    return 1;
}

void StatusBar::OnParentSize(WPARAM wParam, LPARAM lParam) {
    SendMessageA(hwnd, WM_SIZE, wParam, lParam);
    RECT bar = {0, 0, 0, 0};
    GetWindowRect(hwnd, &bar);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    }
    TEXTMETRICA metrics = {};
    {
        WindowDC dc(parent);
        SelectedObject selected(dc.Get(), font);
        GetTextMetricsA(dc.Get(), &metrics);
    }
    ComputePartEdges(bar.right - bar.left, metrics.tmAveCharWidth, partWidths, partCapacity, partEdges);
    SendMessageA(hwnd, SB_SETPARTS, partCapacity, reinterpret_cast<LPARAM>(partEdges));
}

LRESULT StatusBar::SetPartText(int index, const char* text) {
    if (index < 0 || index >= partCapacity) {
        return 0;
    }
    return SendMessageA(hwnd, SB_SETTEXTA, index | partStyles[index], reinterpret_cast<LPARAM>(text));
}

int StatusBar::VisibleHeight() {
    if (!IsWindowVisible(hwnd)) {
        return 0;
    }
    RECT bar;
    GetWindowRect(hwnd, &bar);
    return bar.bottom - bar.top;
}

void StatusBar::SetScale(const DisplayScale& scale) {
    // A status window that was given no font answers null and draws in its own.
    HFONT wanted = scale.IsClassic() ? nullptr : font.ForScale(scale);
    if (reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)) != wanted) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    }
}
