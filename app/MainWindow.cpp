#include "app/MainWindow.h"

#include <shellapi.h>
#include <cstring>
#include <cwchar>

#include "app/Globals.h"
#include "app/ResourceIds.h"
#include "framework/AppInstance.h"
#include "framework/DisplayScale.h"
#include "framework/Painting.h"
#include "framework/PathBuffer.h"
#include "framework/TextUtil.h"

namespace {

const int MainWidth = 628;
const int MainHeight = 580;
const int TitleNameLimit = 60;    // 59 UTF-16 units and the terminator
const int TitleBufferSize = 80;
const int StatusTextSize = 120;
const int NumberTextSize = 20;

const int SaveQuestionType = MB_YESNOCANCEL | MB_ICONQUESTION;
const int ErrorBoxType = MB_OK | MB_ICONEXCLAMATION;
const COLORREF BoxTextColour = Black;
const COLORREF BoxFaceColour = LightGrey;
const COLORREF BoxShadowColour = DarkGrey;

}  // namespace

void MainWindow::PreRegisterClass(WNDCLASSA* windowClass) {
    windowClass->hIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_BYTRANE));
    windowClass->lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
}

void MainWindow::PreCreateWindow(CREATESTRUCTA* create) {
    // No monitor can be asked before the frame exists; Windows opens it at the screen's DPI.
    DisplayScale screen = DisplayScale::OfScreen();
    create->cx = screen.Scale(MainWidth);
    create->cy = screen.Scale(MainHeight);
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDM_OPEN:
        if (QueryClose()) {
            view->OpenFile();
        }
        break;
    case IDM_EXIT:
        if (QueryClose()) {
            Destroy();
        }
        break;
    case IDM_SAVE:
        view->Save();
        break;
    case IDM_ALLOW_EDITING:
        view->editAllowed = view->editAllowed ? 0 : 1;
        if (view->editAllowed) {
            statusBar->SetPartText(StatusPartEditMode, "\tEdit mode");
            SetStatusMessage(EditHint, 0);
        } else {
            statusBar->SetPartText(StatusPartEditMode, "");
            SetStatusMessage(ClearMessage, 0);
        }
        break;
    case IDM_FIND_NEXT:
        view->FindNext();
        break;
    case IDM_ABOUT:
        aboutWindow.Run(hwnd, AboutText, AboutLink, 0, MAKEINTRESOURCEA(IDI_BYTRANE), BoxTextColour,
                        BoxFaceColour, BoxShadowColour);
        break;
    case IDM_SAVE_AS:
        view->SaveAs();
        break;
    case IDM_FIND_TEXT:
        view->FindText();
        break;
    case IDM_FIND_HEX:
        view->FindHex();
        break;
    case IDM_BOTTOM:
        view->Scroll(SB_BOTTOM, 1);
        break;
    case IDM_TOP:
        view->Scroll(SB_TOP, 1);
        break;
    default:
        break;
    }
}

void MainWindow::OnDropFiles(WPARAM wParam) {
    OpenDroppedFile(reinterpret_cast<HDROP>(wParam));
}

void MainWindow::OnInitMenu() {
    HMENU menu = GetMenu(hwnd);
    EnableMenuItem(menu, IDM_SAVE, MF_BYCOMMAND | (view->modified ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, IDM_ALLOW_EDITING, MF_BYCOMMAND | (view->editAllowed ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_SAVE_AS, MF_BYCOMMAND | (view->fileSize == 0 ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, IDM_FIND_NEXT, MF_BYCOMMAND | (view->nextSearchPos == -1 ? MF_GRAYED : MF_ENABLED));
}

int MainWindow::QueryClose() {
    if (!view->modified) {
        return 1;
    }
    int answer = msgWindow.Run(hwnd, "Save file?", view->fileName, SaveQuestionType, nullptr, BoxTextColour,
                               BoxFaceColour, BoxShadowColour);
    switch (answer) {
    case IDYES:
        return view->Save() ? 1 : 0;
    case IDNO:
        return 1;
    default:
        // Cancel, a box closed without a button, or a box that could not be shown: the user
        // has not agreed to lose the changes.
        return 0;
    }
}

void MainWindow::UpdateTitle() {
    wchar_t title[TitleBufferSize];
    FileNameOfPath(view->fileName, title, TitleNameLimit);
    if (title[0] == L'\0') {
        wcscpy(title, L"Untitled");
    }
    wcscat(title, L" - ");
    wcscat(title, ProgramCaption);
    SetUnicodeText(title);
}

void MainWindow::SetStatusMessage(int kind, DWORD value) {
    char text[StatusTextSize];
    char number[NumberTextSize];
    text[0] = '\0';
    switch (kind) {
    case NoFileLoaded:
        strcpy(text, "No file loaded");
        break;
    case FileSize:
        strcpy(text, "File size: 0x");
        strcat(text, NumberToText(static_cast<int32_t>(value), number, 16));
        strcat(text, "  (");
        NumberToText(static_cast<int32_t>(value), number, 10);
        InsertThousandsSeparators(number);
        strcat(text, number);
        strcat(text, ")");
        break;
    case EditHint:
        strcpy(text, "Double click a value to be changed");
        break;
    default:
        break;
    }
    statusBar->SetPartText(StatusPartMessage, text);
}

int MainWindow::ShowError(const char* text, const wchar_t* caption) {
    return msgWindow.Run(hwnd, text, caption, ErrorBoxType, nullptr, BoxTextColour, BoxFaceColour,
                         BoxShadowColour);
}

void MainWindow::SetStatusPart(int part, const char* text) {
    statusBar->SetPartText(part, text);
}

void MainWindow::ShowBusy(HWND owner, const char* text) {
    busyPopup.Show(owner, text);
}

void MainWindow::HideBusy() {
    busyPopup.Destroy();
}

void MainWindow::OnByteDoubleClick(LPARAM position) {
    view->EditByteAt(position);
}

void MainWindow::OpenDroppedFile(HDROP drop) {
    PathBuffer path;
    SetForegroundWindow(hwnd);
    // A longer name would come back cut to a different, possibly existing, path.
    UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    bool fits = path.Get() != nullptr && length > 0 && length < LongestPath;
    if (fits) {
        DragQueryFileW(drop, 0, path.Get(), LongestPath);
    }
    DragFinish(drop);
    if (fits && QueryClose()) {
        view->LoadFile(path.Get());
    }
}
