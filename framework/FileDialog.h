#pragma once
#include <windows.h>
#include <commdlg.h>

// The program's filter list: pairs of display text and pattern, with a final extra NUL.
extern const wchar_t FileDialogFilter[];

// A descriptor around the common Open and Save As dialogs, built afresh for each command. The
// dialogs are the wide ones: the ANSI ones hand back a name converted to the code page, which
// may be another, existing file's name.
class FileDialog {
public:
    FileDialog(int isOpen, const wchar_t* filter, int filterIndex, const wchar_t* defaultExtension);
    virtual ~FileDialog() = default;
    virtual void PreFileDialog(OPENFILENAMEW* record);

    // 1 with the chosen full path in pathBuffer, 0 when cancelled or failed. The buffer's size
    // is counted in UTF-16 units.
    int Run(HWND owner, wchar_t* pathBuffer, DWORD pathBufferSize, const wchar_t* initialDirectory);

    int readOnly;
    int selectionChanged;
    int isOpen;
    DWORD flags;
    DWORD fileTitleSize;
    int filterIndex;
    wchar_t* fileTitle;
    const wchar_t* filter;
    const wchar_t* defaultExtension;
    const wchar_t* title;
};
