#include "framework/SystemPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the table's relative paths resolve against: the current folder and the current folder of
// drive C:, which GetFullPathNameW reads from the process's environment.
std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring text = folder;
    return text.back() == L'\\' ? text : text + L'\\';
}

TEST(SystemPath, LongPathsTakeTheLongFormOfTheirFullPathAndShortOnesStayAsTheyAre) {
    const std::wstring part(100, L'p');
    const std::wstring name = part + L"\\" + part + L"\\" + part + L"\\\x0444.bin";
    const std::wstring here = CurrentFolder();
    struct Case { const char* what; std::wstring path; std::wstring expected; };
    const Case cases[] = {
        {"short", L"C:\\dir\\f.bin", L"C:\\dir\\f.bin"},
        {"short, relative", L"f.bin", L"f.bin"},
        {"259 units", L"C:\\" + std::wstring(256, L'n'), L"C:\\" + std::wstring(256, L'n')},
        {"260 units", L"C:\\" + std::wstring(257, L'n'), L"\\\\?\\C:\\" + std::wstring(257, L'n')},
        {"long", L"C:\\" + name, L"\\\\?\\C:\\" + name},
        {"long, relative", name, L"\\\\?\\" + here + name},
        {"long, with . and ..", L"C:\\a\\.\\b\\..\\" + name, L"\\\\?\\C:\\a\\" + name},
        {"long, with /", L"C:/" + part + L"/" + part + L"/" + part, L"\\\\?\\C:\\" + part + L"\\" + part + L"\\" + part},
        {"long, from the drive's root", L"\\" + name, L"\\\\?\\" + here.substr(0, 2) + L"\\" + name},
        {"long, drive-relative", here.substr(0, 2) + name, L"\\\\?\\" + here + name},
        {"long, on a share", L"\\\\server\\share\\" + name, L"\\\\?\\UNC\\server\\share\\" + name},
        {"already long", L"\\\\?\\C:\\" + name, L"\\\\?\\C:\\" + name},
        {"a device", L"\\\\.\\" + name, L"\\\\.\\" + name},
    };
    for (const Case& c : cases) {
        SystemPath formed(c.path.c_str());
        EXPECT_EQ(c.expected, formed.Get()) << c.what;
    }
    const wchar_t* given = L"f.bin";
    EXPECT_EQ(given, SystemPath(given).Get()) << "a short path is passed on, not copied";
}

TEST(SystemPath, APathNoFullPathCanBeMadeOfBecomesTheEmptyText) {
    const std::wstring tooLong = L"C:\\" + std::wstring(40000, L'n');
    EXPECT_STREQ(L"", SystemPath(tooLong.c_str()).Get());
}

}  // namespace
