#pragma once
#include <windows.h>

#include <functional>

#include "tests/support/Waiting.h"

// Answers a modal window that this thread is about to run: a dialog box, a common file dialog
// or a message box window. Construct it just before the blocking call and read it afterwards.
// A thread timer, which every modal loop dispatches, looks each tick for a visible, enabled
// top-level window of this thread with the given class ("#32770" for dialogs) and calls the
// action with it; the action returns true when it has finished, false to be called again on the
// next tick (for answers that take several steps). If the window is still there `timeout`
// milliseconds after the answerer started, it is sent WM_CLOSE and timedOut is set, so a
// broken test fails instead of hanging. One answerer at a time per thread.
class DialogAnswerer {
public:
    typedef std::function<bool(HWND window)> Action;

    explicit DialogAnswerer(Action action, const char* className = "#32770", DWORD timeout = WaitLimitMs);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Sets a dialog item's text (for a combo box with an edit field, the field's text).
    static void SetItemText(HWND dialog, int id, const char* text);
    // The same in UTF-16, for the wide common dialogs, whose fields take any name.
    static void SetItemText(HWND dialog, int id, const wchar_t* text);
    // The item of a common file dialog that takes the file name: the combo box cmb13 in the
    // Explorer-style dialog (Wine shows it whatever the flags), the edit edt1 in the classic one,
    // which Windows shows where OFN_EXPLORER is not given.
    static int FileNameItem(HWND dialog);
    // Posts the WM_COMMAND a click on the item would send, as BN_CLICKED from that item.
    static void PostCommand(HWND dialog, int id);

    HWND window;      // the window the action was given; null if none appeared
    bool finished;    // the action returned true
    bool timedOut;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindWindowOfClass(HWND candidate, LPARAM answerer);
    void Tick();

    Action action_;
    const char* className_;
    DWORD timeout_;
    DWORD start_;
    UINT_PTR timer_;
    static DialogAnswerer* active_;
};
