#include "search/WaitCursor.h"

WaitCursor::WaitCursor() : waitCursor(LoadCursorA(nullptr, IDC_WAIT)), previousCursor(SetCursor(waitCursor)) {
}

WaitCursor::~WaitCursor() {
    SetCursor(previousCursor);
}
