#pragma once
#include <windows.h>
#include <shellapi.h>

#include "app/FrameWindow.h"
#include "view/ViewHost.h"

// The frame of the program: its menu commands, and what the view needs from the program.
class MainWindow : public FrameWindow, public ViewHost {
public:
    void PreRegisterClass(WNDCLASSA* windowClass) override;
    void PreCreateWindow(CREATESTRUCTA* create) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDropFiles(WPARAM wParam) override;
    void OnInitMenu() override;
    int QueryClose() override;

    // Title from the view's file name: "Untitled" or the name part, then " - Bytrane".
    void UpdateTitle() override;
    void SetStatusMessage(int kind, DWORD value) override;
    void SetStatusPart(int part, const char* text) override;
    // The program's message box, owned by the frame: one OK button and the exclamation icon.
    int ShowError(const char* text, const wchar_t* caption) override;
    void ShowBusy(HWND owner, const char* text) override;
    void HideBusy() override;
    void OnByteDoubleClick(LPARAM position) override;
    void OpenDroppedFile(HDROP drop);
};
