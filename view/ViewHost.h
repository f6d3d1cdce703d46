#pragma once
#include <windows.h>

// The caption of the program's boxes and the last word of its title.
const wchar_t ProgramCaption[] = L"Bytrane";

// The status bar's parts.
enum StatusPart {
    StatusPartMessage = 0,
    StatusPartEditMode = 1,
    StatusPartModified = 2,
    StatusPartCount = 3,
};

// The texts of status part 0.
enum StatusMessage {
    NoFileLoaded = 0,
    FileSize = 1,
    EditHint = 2,
    ClearMessage = 3,
};

// What the view, and searching and editing above it, need from the program around them. The
// application implements it and hands it to the view at start-up.
class ViewHost {
public:
    // Title from the view's file name.
    virtual void UpdateTitle() = 0;
    // One of the StatusMessage texts in part 0; value is the size for FileSize.
    virtual void SetStatusMessage(int kind, DWORD value) = 0;
    virtual void SetStatusPart(int part, const char* text) = 0;
    // The program's error box; returns the button chosen.
    virtual int ShowError(const char* text, const wchar_t* caption) = 0;
    // The popup shown over owner while a file is read, and its removal.
    virtual void ShowBusy(HWND owner, const char* text) = 0;
    virtual void HideBusy() = 0;
    // What a double-click on the byte at the client position does.
    virtual void OnByteDoubleClick(LPARAM position) = 0;

protected:
    ~ViewHost() = default;
};
