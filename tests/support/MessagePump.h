#pragma once
#include <windows.h>

// Dispatches every message already queued for this thread, then returns.
void PumpMessages();
