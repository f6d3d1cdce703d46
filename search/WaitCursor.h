#pragma once
#include <windows.h>

// Shows the hourglass for the life of the scope and puts the previous cursor back on every path.
class WaitCursor {
public:
    WaitCursor() : waitCursor_(LoadCursorA(nullptr, IDC_WAIT)), previous_(SetCursor(waitCursor_)) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR waitCursor_;
    HCURSOR previous_;
};
