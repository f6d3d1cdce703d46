#pragma once
#include <windows.h>
#include <shellapi.h>

#include "app/FrameWindow.h"

// The texts of status part 0.
enum StatusMessage {
    NoFileLoaded = 0,
    FileSize = 1,
    EditHint = 2,
    ClearMessage = 3,
};

class MainWindow : public FrameWindow {
public:
    void PreRegisterClass(WNDCLASSA* windowClass) override;
    void PreCreateWindow(CREATESTRUCTA* create) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDropFiles(WPARAM wParam) override;
    void OnInitMenu() override;
    int QueryClose() override;

    // Title from the view's file name: "Untitled" or the name part, then " - Bytrane".
    void UpdateTitle();
    void SetStatusMessage(int kind, DWORD value);
    // The program's message box, owned by the frame: one OK button and the exclamation icon.
    int ShowError(const char* text, const char* caption);
    void OpenDroppedFile(HDROP drop);
};
