#pragma once
#include <windows.h>
#include <commdlg.h>

// The program's filter list: pairs of display text and pattern, with a final extra NUL.
extern const char FileDialogFilter[];

// A descriptor around the common Open and Save As dialogs, built afresh for each command.
class FileDialog {
public:
    FileDialog(int isOpen, const char* filter, int filterIndex, const char* defaultExtension);
    virtual ~FileDialog() = default;
    virtual void PreFileDialog(OPENFILENAMEA* record);

    // 1 with the chosen full path in pathBuffer, 0 when cancelled or failed.
    int Run(HWND owner, char* pathBuffer, DWORD pathBufferSize, const char* initialDirectory);

    int readOnly;
    int selectionChanged;
    int isOpen;
    DWORD flags;
    DWORD fileTitleSize;
    int filterIndex;
    char* fileTitle;
    const char* filter;
    const char* defaultExtension;
    const char* title;
};
