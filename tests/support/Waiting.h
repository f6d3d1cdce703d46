#pragma once
#include <windows.h>

// Whatever a test waits for (a window, a text, a row on the screen, a file's bytes, a process's
// exit) arrives some time after the input that causes it, and on an emulated machine under load
// many seconds later. Every wait is bounded by this one limit: long enough for such a machine,
// and a hung program still fails its test rather than the run.
const DWORD WaitLimitMs = 30000;
const DWORD PollIntervalMs = 20;

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = WaitLimitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(PollIntervalMs);
    }
}
