#pragma once
#include <windows.h>

// Shows the hourglass for the life of the scope and puts the previous cursor back on every path.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR waitCursor;
    HCURSOR previousCursor;
};
