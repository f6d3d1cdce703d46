#pragma once
#include <windows.h>

// Dispatches every message already queued for this thread, then returns.
void PumpMessages();

// Dispatches this thread's messages for about the given time, or until done() turns true.
void PumpMessagesFor(DWORD milliseconds, bool (*done)() = nullptr);
