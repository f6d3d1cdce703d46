#pragma once
#include <windows.h>

// The program under test runs in its own process, so every effect of an input arrives
// some time later; waits are bounded so a hung program fails the journey instead of the run.
const DWORD DefaultWaitMs = 5000;
// For the slower steps: the program closing, a file dialog showing.
const DWORD LongWaitMs = 10000;
const DWORD PollIntervalMs = 20;

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = DefaultWaitMs) {
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
