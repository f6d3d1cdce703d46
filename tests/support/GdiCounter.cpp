#include "tests/support/GdiCounter.h"

#include <windows.h>

namespace {

const UINT_PTR HighestProbedValue = 0xFFFF;
const UINT_PTR KernelHandleStep = 4;

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
