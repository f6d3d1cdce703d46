#include "tests/support/ResourceCounter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT_PTR HighestProbedValue = 0xFFFF;
const UINT_PTR KernelHandleStep = 4;
const int DeliberateLeak = 10;
const int WindowsPerLeakedPopup = 2;

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountIfOurs(HWND window, LPARAM count) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId()) {
        CountWindow(window, count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

HWND CreateStatic(DWORD style, HWND parent) {
    return CreateWindowExA(0, "STATIC", "", style, 0, 0, 10, 10, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int CountGdiObjects() {
    int count = 0;
    for (UINT_PTR value = 1; value <= HighestProbedValue; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) {
            ++count;
        }
    }
    return count;
}

int CountKernelHandles() {
    int count = 0;
    DWORD flags = 0;
    for (UINT_PTR value = KernelHandleStep; value <= HighestProbedValue; value += KernelHandleStep) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
        }
    }
    return count;
}

int CountProcessWindows() {
    int count = 0;
    EnumWindows(CountIfOurs, reinterpret_cast<LPARAM>(&count));
    return count;
}

void ExpectCountersSeeALeak() {
    // The first window of a thread makes the system create windows of its own that it keeps.
    DestroyWindow(CreateStatic(WS_POPUP, nullptr));
    const int gdiBefore = CountGdiObjects();
    const int kernelBefore = CountKernelHandles();
    const int windowsBefore = CountProcessWindows();
    std::vector<HBRUSH> brushes;
    std::vector<HANDLE> events;
    std::vector<HWND> popups;
    for (int i = 0; i < DeliberateLeak; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
        events.push_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        popups.push_back(CreateStatic(WS_POPUP, nullptr));
        CreateStatic(WS_CHILD, popups.back());
    }
    EXPECT_EQ(gdiBefore + DeliberateLeak, CountGdiObjects());
    EXPECT_EQ(kernelBefore + DeliberateLeak, CountKernelHandles());
    EXPECT_EQ(windowsBefore + WindowsPerLeakedPopup * DeliberateLeak, CountProcessWindows());
    for (int i = 0; i < DeliberateLeak; ++i) {
        DeleteObject(brushes[i]);
        CloseHandle(events[i]);
        DestroyWindow(popups[i]);
    }
    EXPECT_EQ(gdiBefore, CountGdiObjects());
    EXPECT_EQ(kernelBefore, CountKernelHandles());
    EXPECT_EQ(windowsBefore, CountProcessWindows());
}
