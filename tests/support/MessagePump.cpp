#include "tests/support/MessagePump.h"

namespace {

const DWORD PollMilliseconds = 10;

}  // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpMessagesFor(DWORD milliseconds, bool (*done)()) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpMessages();
        if (done != nullptr && done()) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollMilliseconds, QS_ALLINPUT);
    }
}
