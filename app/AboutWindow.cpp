#include "app/AboutWindow.h"

#include <objbase.h>
#include <shellapi.h>

#include "app/MessageBoxButtons.h"
#include "framework/GdiGuards.h"
#include "framework/GdiObject.h"
#include "framework/PaintScope.h"
#include "framework/Painting.h"
#include "resources/Version.h"

const char AboutText[] = "Bytrane " BYTRANE_VERSION_TEXT "\nBy the Bytrane project";
const wchar_t AboutLink[] = L"https://bytrane.example.org/";

namespace {

// At 96 DPI the raster face the link has always had; at other scales its TrueType sibling, which
// every Windows from 2000 on has.
const char LinkFaceName[] = "MS Sans Serif";
const char ScaledLinkFaceName[] = "Microsoft Sans Serif";
const int LinkPoints = 12;
const COLORREF LinkColour = RGB(0, 0, 128);
const COLORREF OutlineColour = RGB(255, 0, 0);
const int OutlineWidth = 3;
const DWORD LinkButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;

const int LinkExtraLines = 10;
const int PlainExtraLines = 8;
const int ButtonBottomLines = 3;
const int IconTop = 18;
const int OutlineInset = 1;
const int TextTopLines = 2;
const int TextTopOffset = 32;
const DWORD ShellApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

// The shell may hand the address to a handler that is a COM object, which needs an apartment on
// the calling thread. The thread enters one once and keeps it until the process ends.
int apartmentEntered = 0;

}  // namespace

AboutWindow::AboutWindow() : linkCreated(0), regionWidth(0), regionHeight(0) {
    linkButton.style = LinkButtonStyle;
}

AboutWindow::~AboutWindow() {
    linkFont.Release();
}

void AboutWindow::CreateFrame() {
    style = WS_POPUP | WS_VISIBLE;
    int width = maxLineWidth + 4 * maxCharWidth;
    int height = (lineCount + (caption[0] != L'\0' ? LinkExtraLines : PlainExtraLines)) * lineHeight;
    SIZE ownerSize = OwnerClientSize();
    linkCreated = 0;
    CreateClassWindow(ClassName, owner, nullptr, "", ownerSize.cx / 2, ownerSize.cy / 2, width, height);
}

void AboutWindow::CreateButtons() {
    RECT client;
    GetClientRect(hwnd, &client);
    regionWidth = client.right + 1;
    regionHeight = client.bottom + 1;
    HRGN region = CreateEllipticRgn(0, 0, regionWidth, regionHeight);
    // The system owns the region only once SetWindowRgn has taken it.
    if (region != nullptr && !SetWindowRgn(hwnd, region, TRUE)) {
        DeleteObject(region);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, regionWidth, regionHeight, SWP_NOMOVE);
    CreateButton(0, "&Ok", client.right / 2 - scale.Scale(ButtonWidth) / 2,
                 client.bottom - ButtonBottomLines * lineHeight, IDOK);
    buttonCount = 1;
}

void AboutWindow::OnPaint() {
    PaintScope paint(hwnd);
    HDC dc = paint.Dc();
    {
        GdiObject face(CreateSolidBrush(faceColour));
        GdiObject outline(CreatePen(PS_SOLID, scale.Scale(OutlineWidth), OutlineColour));
        if (face.Get() != nullptr && outline.Get() != nullptr) {
            SelectedObject brush(dc, face.Get());
            SelectedObject pen(dc, outline.Get());
            int inset = scale.Scale(OutlineInset);
            Ellipse(dc, inset, inset, regionWidth - 2 * inset, regionHeight - 2 * inset);
        }
    }
    if (icon != nullptr) {
        DrawBoxIcon(dc, regionWidth / 2 - scale.Scale(IconSize) / 2, scale.Scale(IconTop));
    }
    SetTextColor(dc, textColour);
    SetBkColor(dc, faceColour);
    int y = TextTopLines * lineHeight + scale.Scale(TextTopOffset);
    if (text != nullptr) {
        SelectedObject font(dc, textFont.ForScale(scale));
        y = DrawCentredLines(dc, text, 0, regionWidth, y, lineHeight);
    }
    if (caption[0] != L'\0' && linkCreated == 0) {
        linkFont.logFont.lfUnderline = 1;
        linkFont.colour = LinkColour;
        linkFont.Create(dc, scale.IsClassic() ? LinkFaceName : ScaledLinkFaceName, LinkPoints, scale.dpi);
        HGDIOBJ previousFont = linkFont.Select(dc);
        SIZE extent;
        if (linkFont.font != nullptr && GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &extent)) {
            linkButton.Create(hwnd, nullptr, "", (regionWidth - extent.cx) / 2, y + lineHeight, extent.cx,
                              extent.cy);
        }
        if (previousFont != nullptr) {
            SelectObject(dc, previousFont);
        }
        linkCreated = 1;
    }
}

void AboutWindow::OnDrawItem(WPARAM, LPARAM lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || linkButton.id == 0 || static_cast<int>(item->CtlID) != linkButton.id) {
        return;
    }
    COLORREF previousColour = GetTextColor(item->hDC);
    HGDIOBJ previousFont = linkFont.Select(item->hDC);
    SetBkColor(item->hDC, faceColour);
    TextOutW(item->hDC, 0, 0, caption, lstrlenW(caption));
    if (previousFont != nullptr) {
        SelectObject(item->hDC, previousFont);
    }
    SetTextColor(item->hDC, previousColour);
}

void AboutWindow::OnOtherCommand(int, LPARAM lParam) {
    if (linkButton.hwnd == nullptr || reinterpret_cast<HWND>(lParam) != linkButton.hwnd) {
        return;
    }
    if (!apartmentEntered) {
        CoInitializeEx(nullptr, ShellApartment);
        apartmentEntered = 1;
    }
    ShellExecuteW(owner, L"open", caption, L"", L"", SW_SHOWNORMAL);
    SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(messageBoxButtons[0].id), 0);
}
