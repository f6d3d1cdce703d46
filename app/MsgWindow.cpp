#include "app/MsgWindow.h"

#include <cstring>

#include "app/MessageBoxButtons.h"
#include "framework/AppInstance.h"
#include "framework/CenterWindow.h"
#include "framework/GdiGuards.h"
#include "framework/InfoContext.h"
#include "framework/PaintScope.h"
#include "framework/Painting.h"

namespace {

char outOfMemoryText[] = "Out of memory";

const int ButtonTypeMask = 0x0F;
const int IconTypeMask = 0xF0;
const int DefaultButtonMask = 0xF00;

const int IconX = 16;
const int IconTextLeft = 64;
const int PlainTextLeft = 8;
const int TextTopInset = 3;
const int FrameExtraWidth = 16;
const int TextAreaExtraHeight = 8;
const int FrameExtraLines = 6;
const int ButtonRowLines = 2;
const int TwoButtonMinimumLines = 10;
const int ThreeButtonMinimumLines = 13;
const int DragPoint = 5;

LPCSTR SystemIconOf(int type) {
    switch (type & IconTypeMask) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

int InitialFocusOf(int type) {
    switch (type & DefaultButtonMask) {
    case MB_DEFBUTTON2:
        return 1;
    case MB_DEFBUTTON3:
        return 2;
    default:
        return 0;
    }
}

}  // namespace

const char MsgWindow::ClassName[] = "CMSGCLASS";

MsgWindow::MsgWindow()
    : running(0), owner(nullptr), icon(nullptr), maxCharWidth(0), lineHeight(0), lineCount(0),
      maxLineWidth(0), result(0), buttonResults{0, 0, 0}, type(0), textColour(0), faceColour(0),
      text(nullptr), caption(L""), textRect{0, 0, 0, 0}, textFont(ScaledFont::Proportional) {
    RegisterWindowClass();
}

int MsgWindow::RegisterWindowClass() {
    static int registered = 0;
    // Objects are built before the entry records appInstance; the module handle of the
    // executable is the same value.
    WindowClassDescription description = {ClassName,       CS_HREDRAW | CS_VREDRAW,
                                           nullptr,         LoadCursorA(nullptr, IDC_ARROW),
                                           nullptr,         GetModuleHandleA(nullptr)};
    return RegisterFrameworkClass(this, &registered, description, true);
}

void MsgWindow::CopyText(const char* boxText) {
    ReleaseText();
    if (boxText == nullptr) {
        boxText = "";
    }
    int length = lstrlenA(boxText);
    char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 2));
    if (copy == nullptr) {
        text = outOfMemoryText;
        return;
    }
    memcpy(copy, boxText, length + 1);
    copy[length + 1] = '\0';
    text = copy;
}

void MsgWindow::ReleaseText() {
    if (text != nullptr && text != outOfMemoryText) {
        HeapFree(GetProcessHeap(), 0, text);
    }
    text = nullptr;
}

int MsgWindow::Run(HWND ownerWindow, const char* boxText, const wchar_t* boxCaption, int boxType,
                   const char* iconResource, COLORREF boxTextColour, COLORREF boxFaceColour,
                   COLORREF shadowColour) {
    owner = ownerWindow;
    type = boxType;
    textColour = boxTextColour;
    faceColour = boxFaceColour;
    running = 1;
    result = 0;
    bevel.highlight = White;
    bevel.shadow = shadowColour;
    caption = boxCaption != nullptr ? boxCaption : L"";
    CopyText(boxText);
    scale = DisplayScale::OfWindow(owner);

    LPCSTR systemIcon = SystemIconOf(type);
    LPCSTR iconName = systemIcon != nullptr ? systemIcon : iconResource;
    if (!MeasureText(iconName != nullptr)) {
        ReleaseText();
        return 0;
    }
    LayOutText(iconName != nullptr);

    // A box destroyed along with its owner leaves a stale handle that would stop the next
    // box from being created.
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        hwnd = nullptr;
    }
    RegisterWindowClass();
    CreateFrame();
    OnBeforeRun();
    icon = iconName == nullptr ? nullptr : LoadIconA(systemIcon != nullptr ? nullptr : appInstance, iconName);
    if (hwnd == nullptr) {
        ReleaseText();
        return 0;
    }
    RunModalLoop();
    ReleaseText();
    return result;
}

int MsgWindow::MeasureText(bool withIcon) {
    InfoContext info(textFont.ForScale(scale));
    if (!info.Measured()) {
        return 0;
    }
    maxCharWidth = info.Metrics().tmMaxCharWidth;
    lineHeight = info.Metrics().tmHeight + info.Metrics().tmExternalLeading;
    lineCount = 0;
    maxLineWidth = 0;
    for (const char* line = text; *line != '\0'; line = NextTextLine(line)) {
        SIZE extent;
        if (GetTextExtentPoint32A(info.Get(), line, TextLineLength(line), &extent) && extent.cx > maxLineWidth) {
            maxLineWidth = extent.cx;
        }
        ++lineCount;
    }
    // Without an icon the caption is part of what must fit.
    SIZE extent;
    if (!withIcon && GetTextExtentPoint32W(info.Get(), caption, lstrlenW(caption), &extent) &&
        extent.cx > maxLineWidth) {
        maxLineWidth = extent.cx;
    }
    return 1;
}

void MsgWindow::LayOutText(bool withIcon) {
    int minimumWidth = 0;
    switch (type & ButtonTypeMask) {
    case MB_OKCANCEL:
    case MB_YESNO:
        minimumWidth = TwoButtonMinimumLines * lineHeight;
        break;
    case MB_YESNOCANCEL:
        minimumWidth = ThreeButtonMinimumLines * lineHeight;
        break;
    }
    textRect.left = scale.Scale(withIcon ? IconTextLeft : PlainTextLeft);
    int width = maxLineWidth + 4 * maxCharWidth + textRect.left;
    textRect.right = width > minimumWidth ? width : minimumWidth;
}

void MsgWindow::RunModalLoop() {
    EnableWindow(owner, FALSE);
    while (running == 1) {
        if (PumpPendingMessages() == 1) {
            break;
        }
        if (running == 1) {
            WaitMessage();
        }
    }
    if (hwnd != nullptr && IsWindow(hwnd)) {
        OnClose();
    }
    EnableWindow(owner, TRUE);
}

int MsgWindow::PumpPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

SIZE MsgWindow::OwnerClientSize() const {
    SIZE size = {0, 0};
    RECT client;
    if (owner != nullptr && GetClientRect(owner, &client)) {
        size.cx = client.right;
        size.cy = client.bottom;
    }
    return size;
}

void MsgWindow::CreateFrame() {
    textRect.top = lineHeight;
    textRect.bottom = lineHeight * (lineCount + 1) + scale.Scale(TextAreaExtraHeight);
    style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    int width = textRect.right + scale.Scale(FrameExtraWidth);
    int height = lineHeight * (lineCount + FrameExtraLines);
    SIZE ownerSize = OwnerClientSize();
    if (CreateClassWindow(ClassName, owner, nullptr, "", ownerSize.cx / 2 - width / 2, ownerSize.cy / 2 - height / 2,
                          width, height)) {
        // The caption may be a file's path, in any script.
        SetUnicodeText(caption);
    }
}

void MsgWindow::OnBeforeRun() {}

void MsgWindow::OnOtherCommand(int, LPARAM) {}

void MsgWindow::CreateButton(int index, const char* buttonText, int x, int y, int code) {
    messageBoxButtons[index].Create(hwnd, nullptr, buttonText, x, y, scale.Scale(ButtonWidth),
                                    scale.Scale(ButtonHeight));
    // At 96 DPI a button keeps the system font it is made with.
    if (!scale.IsClassic()) {
        SendMessageA(messageBoxButtons[index].hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.ForScale(scale)),
                     FALSE);
    }
    buttonResults[index] = code;
}

void MsgWindow::CreateButtons() {
    RECT client;
    GetClientRect(hwnd, &client);
    int mid = client.right / 2;
    int y = client.bottom - ButtonRowLines * lineHeight;
    switch (type & ButtonTypeMask) {
    case MB_OKCANCEL:
        CreateButton(0, "&Ok", mid - scale.Scale(70), y, IDOK);
        CreateButton(1, "&Cancel", mid + scale.Scale(10), y, IDCANCEL);
        buttonCount = 2;
        break;
    case MB_YESNO:
        CreateButton(0, "&Yes", mid - scale.Scale(70), y, IDYES);
        CreateButton(1, "&No", mid + scale.Scale(10), y, IDNO);
        buttonCount = 2;
        break;
    case MB_YESNOCANCEL:
        CreateButton(0, "&Yes", mid - scale.Scale(100), y, IDYES);
        CreateButton(1, "&No", mid - scale.Scale(30), y, IDNO);
        CreateButton(2, "&Cancel", mid + scale.Scale(40), y, IDCANCEL);
        buttonCount = 3;
        break;
    default:
        CreateButton(0, "&Ok", mid - scale.Scale(30), y, IDOK);
        buttonCount = 1;
        break;
    }
}

int MsgWindow::OnCreate() {
    CreateButtons();
    focusIndex = InitialFocusOf(type);
    if (focusIndex >= buttonCount) {
        focusIndex = 0;
    }
    SetFocus(messageBoxButtons[focusIndex].hwnd);
    SubclassButtons();
    CenterWindow(hwnd);
    return 1;
}

void MsgWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    int id = LOWORD(wParam);
    int chosen = -1;
    for (int i = 0; i < buttonCount; ++i) {
        if (messageBoxButtons[i].id == id) {
            chosen = i;
            break;
        }
    }
    if (chosen >= 0) {
        result = buttonResults[chosen];
    } else {
        OnOtherCommand(id, lParam);
    }
    if (result != 0) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        running = 0;
    }
}

void MsgWindow::SubclassButtons() {
    // Without the first button there is no class procedure to hand the keys on to.
    originalButtonProc = nullptr;
    if (!IsWindow(messageBoxButtons[0].hwnd)) {
        return;
    }
    for (int i = 0; i < buttonCount; ++i) {
        WNDPROC previous = messageBoxButtons[i].Subclass(ButtonKeyProc);
        if (originalButtonProc == nullptr) {
            originalButtonProc = previous;
        }
    }
}

void MsgWindow::OnClose() {
    // Enabled before the box goes, so that the owner becomes the active window again.
    EnableWindow(owner, TRUE);
    Destroy();
    ReleaseText();
}

void MsgWindow::OnDestroy() {
    if (result == 0) {
        result = IDCANCEL;
    }
    running = 0;
    EnableWindow(owner, TRUE);
}

void MsgWindow::OnSetFocus() {
    if (focusIndex < buttonCount) {
        SetFocus(messageBoxButtons[focusIndex].hwnd);
    }
}

void MsgWindow::OnLButtonDown(WPARAM, LPARAM) {
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(scale.Scale(DragPoint), scale.Scale(DragPoint)));
}

void MsgWindow::OnPaint() {
    PaintScope paint(hwnd);
    HDC dc = paint.Dc();
    FillFace(dc, paint.Area(), faceColour);
    if (icon != nullptr) {
        DrawBoxIcon(dc, scale.Scale(IconX), textRect.top + (textRect.bottom - textRect.top) / 2 - scale.Scale(IconSize) / 2);
        bevel.Set(textRect.left, textRect.top, textRect.right - textRect.left + 1,
                  textRect.bottom - textRect.top + 1, scale);
        bevel.Draw(dc);
    }
    SetTextColor(dc, textColour);
    SetBkColor(dc, faceColour);
    SelectedObject font(dc, textFont.ForScale(scale));
    if (text != nullptr) {
        DrawCentredLines(dc, text, textRect.left, textRect.right, textRect.top + scale.Scale(TextTopInset),
                         lineHeight);
    }
}

void MsgWindow::DrawBoxIcon(HDC dc, int x, int y) const {
    int size = scale.Scale(IconSize);
    DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}
