#include "tests/support/ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "tests/support/WideText.h"

namespace harness {

namespace {

// The longest path the system hands out, in UTF-16 units.
const DWORD LongestPath = 32768;

}  // namespace

std::string ProgramFolder::PathOf(const std::string& name) {
    std::vector<wchar_t> module(LongestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, module.data(), LongestPath);
    const std::wstring path(module.data(), length < LongestPath ? length : 0);
    const size_t separator = path.find_last_of(L"\\/");
    return Utf8(separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1)) + name;
}

}  // namespace harness
