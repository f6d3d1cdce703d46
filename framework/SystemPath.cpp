#include "framework/SystemPath.h"

#include <cwchar>
#include <new>

#include "framework/PathBuffer.h"

namespace {

const wchar_t LongPrefix[] = L"\\\\?\\";
const wchar_t LongSharePrefix[] = L"\\\\?\\UNC\\";
// "\\.\" names a device; it and the long form itself are passed on untouched.
const wchar_t DevicePrefix[] = L"\\\\.\\";
// A share's full path starts with the two backslashes that the long form's "UNC\" replaces.
const size_t ShareLeadLength = 2;

bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
    return wcsncmp(text, prefix, wcslen(prefix)) == 0;
}

}  // namespace

SystemPath::SystemPath(const wchar_t* path) : given_(path), formed_(nullptr) {
    if (wcslen(path) < MAX_PATH || StartsWith(path, LongPrefix) || StartsWith(path, DevicePrefix)) {
        return;
    }
    given_ = L"";
    PathBuffer full;
    if (full.Get() == nullptr) {
        return;
    }
    DWORD length = GetFullPathNameW(path, LongestPath, full.Get(), nullptr);
    if (length == 0 || length >= LongestPath) {
        return;
    }
    bool share = StartsWith(full.Get(), L"\\\\");
    const wchar_t* prefix = share ? LongSharePrefix : LongPrefix;
    const wchar_t* rest = full.Get() + (share ? ShareLeadLength : 0);
    size_t size = wcslen(prefix) + wcslen(rest) + 1;
    if (size > LongestPath) {
        return;
    }
    formed_ = new (std::nothrow) wchar_t[size];
    if (formed_ != nullptr) {
        wcscpy(formed_, prefix);
        wcscat(formed_, rest);
    }
}

SystemPath::~SystemPath() {
    delete[] formed_;
}
