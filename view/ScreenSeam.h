#pragma once
#include <windows.h>

// Where the back buffer reads the screen's size. Tests replace it to make the screen smaller
// than the view, as a window on a larger second monitor is.
typedef int(WINAPI* SystemMetricsFunction)(int index);

extern SystemMetricsFunction screenMetrics;
