#include "tests/support/DialogAnswerer.h"

namespace {

const UINT TickMilliseconds = 50;
const int ClassNameSize = 64;
const int FileNameCombo = 0x47C;
const int FileNameEdit = 0x480;

}  // namespace

DialogAnswerer* DialogAnswerer::active_ = nullptr;

DialogAnswerer::DialogAnswerer(Action action, const char* className, DWORD timeout)
    : window(nullptr), finished(false), timedOut(false), action_(action), className_(className),
      timeout_(timeout), start_(GetTickCount()), timer_(0) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, TickMilliseconds, OnTimer);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

void DialogAnswerer::SetItemText(HWND dialog, int id, const char* text) {
    SetWindowTextA(GetDlgItem(dialog, id), text);
}

void DialogAnswerer::SetItemText(HWND dialog, int id, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(dialog, id), text);
}

int DialogAnswerer::FileNameItem(HWND dialog) {
    return GetDlgItem(dialog, FileNameCombo) != nullptr ? FileNameCombo : FileNameEdit;
}

void DialogAnswerer::PostCommand(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) {
        active_->Tick();
    }
}

BOOL CALLBACK DialogAnswerer::FindWindowOfClass(HWND candidate, LPARAM answerer) {
    DialogAnswerer* self = reinterpret_cast<DialogAnswerer*>(answerer);
    char name[ClassNameSize];
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate) &&
        GetClassNameA(candidate, name, ClassNameSize) > 0 && lstrcmpA(name, self->className_) == 0) {
        self->window = candidate;
        return FALSE;
    }
    return TRUE;
}

void DialogAnswerer::Tick() {
    if (finished && !IsWindow(window)) {
        KillTimer(nullptr, timer_);
        return;
    }
    if (GetTickCount() - start_ > timeout_) {
        KillTimer(nullptr, timer_);
        timedOut = true;
        if (window != nullptr && IsWindow(window)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (finished) {
        return;
    }
    if (window == nullptr || !IsWindow(window) || !IsWindowEnabled(window)) {
        window = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindWindowOfClass, reinterpret_cast<LPARAM>(this));
    }
    if (window != nullptr) {
        finished = action_(window);
    }
}
