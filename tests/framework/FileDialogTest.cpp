#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "framework/AppInstance.h"
#include "framework/FileDialog.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/WideText.h"

namespace {

const int FilterCombo = 0x470;
const DWORD PathSize = 260;
const wchar_t Guard = L'#';
const int GuardBytes = 16;

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        appInstance = GetModuleHandleA(nullptr);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"fwdialog" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        existing = folder + L"\\present.txt";
        HANDLE file = CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    void TearDown() override {
        DeleteFileW(existing.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring folder;
    std::wstring existing;
};

void TypeFileName(HWND dialog, const std::wstring& name) {
    DialogAnswerer::SetItemText(dialog, DialogAnswerer::FileNameItem(dialog), name.c_str());
}

// Chooses the name, optionally after switching to the filter with the given 0-based position.
DialogAnswerer::Action Choose(const std::wstring& name, int filterPosition = -1) {
    return [name, filterPosition](HWND dialog) {
        if (filterPosition >= 0) {
            HWND filters = GetDlgItem(dialog, FilterCombo);
            SendMessageA(filters, CB_SETCURSEL, filterPosition, 0);
            // The dialog takes the filter choice from CBN_SELENDOK, which a real pick sends as
            // the list closes.
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FilterCombo, CBN_SELENDOK), reinterpret_cast<LPARAM>(filters));
        }
        TypeFileName(dialog, name);
        DialogAnswerer::PostCommand(dialog, IDOK);
        return true;
    };
}

bool Cancel(HWND dialog) {
    DialogAnswerer::PostCommand(dialog, IDCANCEL);
    return true;
}

// Records the filled record as the hook saw it and gives the dialog a caption to look for.
class InspectedDialog : public FileDialog {
public:
    using FileDialog::FileDialog;
    void PreFileDialog(OPENFILENAMEW* record) override {
        seen = *record;
        record->lpstrTitle = L"Inspected";
    }
    OPENFILENAMEW seen = {};
};

TEST_F(FileDialogTest, FilterListHoldsFourTextsAndAFinalNul) {
    const wchar_t* expected[] = {L"All files (*.*)", L"*.*", L"Executable files (*.exe, *.dll, *.vxd)",
                                 L"*.exe;*.dll;*.vxd"};
    const wchar_t* text = FileDialogFilter;
    for (const wchar_t* part : expected) {
        EXPECT_STREQ(part, text);
        text += wcslen(text) + 1;
    }
    EXPECT_EQ(L'\0', *text);
}

TEST_F(FileDialogTest, RecordIsFilledBeforeTheHookAndUsedAfterIt) {
    const struct {
        int isOpen;
        DWORD flags;
    } table[] = {{1, 0x0004}, {0, 0x8806}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.isOpen);
        InspectedDialog dialog(row.isOpen, FileDialogFilter, 2, L".bin");
        EXPECT_EQ(row.flags, dialog.flags);
        wchar_t path[PathSize] = L"";
        std::string caption;
        DialogAnswerer answerer([&caption](HWND window) {
            char text[64] = "";
            GetWindowTextA(window, text, sizeof(text));
            caption = text;
            return Cancel(window);
        });
        EXPECT_EQ(0, dialog.Run(nullptr, path, PathSize, folder.c_str()));
        EXPECT_FALSE(answerer.timedOut);
        EXPECT_EQ("Inspected", caption);
        // The record of Windows 95 and NT 4, whose pointers make it longer in a 64-bit build.
        EXPECT_EQ(sizeof(void*) == 4 ? 76u : 136u, dialog.seen.lStructSize);
        EXPECT_EQ(appInstance, dialog.seen.hInstance);
        EXPECT_EQ(FileDialogFilter, dialog.seen.lpstrFilter);
        EXPECT_EQ(2u, dialog.seen.nFilterIndex);
        EXPECT_EQ(path, dialog.seen.lpstrFile);
        EXPECT_EQ(PathSize, dialog.seen.nMaxFile);
        EXPECT_EQ(folder.c_str(), dialog.seen.lpstrInitialDir);
        EXPECT_STREQ(L"", dialog.seen.lpstrTitle);
        EXPECT_EQ(row.flags, dialog.seen.Flags);
        EXPECT_STREQ(L"bin", dialog.seen.lpstrDefExt);
        EXPECT_EQ(nullptr, dialog.seen.lpstrFileTitle);
        EXPECT_EQ(nullptr, dialog.seen.lpfnHook);
    }
}

TEST_F(FileDialogTest, OpenReturnsTheChosenPath) {
    FileDialog dialog(1, FileDialogFilter, 1, nullptr);
    wchar_t path[PathSize] = L"";
    DialogAnswerer answerer(Choose(existing));
    EXPECT_EQ(1, dialog.Run(nullptr, path, PathSize, nullptr));
    EXPECT_FALSE(answerer.timedOut);
    EXPECT_EQ(0, lstrcmpiW(existing.c_str(), path));
    EXPECT_EQ(1, dialog.filterIndex);
    EXPECT_EQ(0, dialog.selectionChanged);
}

TEST_F(FileDialogTest, OpenRemembersAnotherFilterSaveAsNever) {
    const struct {
        int isOpen;
        int filterIndex;
        int selectionChanged;
    } table[] = {{1, 2, 1}, {0, 1, 0}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.isOpen);
        FileDialog dialog(row.isOpen, FileDialogFilter, 1, nullptr);
        wchar_t path[PathSize] = L"";
        std::wstring chosen = row.isOpen ? existing : folder + L"\\absent.bin";
        DialogAnswerer answerer(Choose(chosen, 1));
        EXPECT_EQ(1, dialog.Run(nullptr, path, PathSize, nullptr));
        EXPECT_FALSE(answerer.timedOut);
        EXPECT_EQ(row.filterIndex, dialog.filterIndex);
        EXPECT_EQ(row.selectionChanged, dialog.selectionChanged);
        EXPECT_EQ(0, dialog.readOnly);
    }
}

TEST_F(FileDialogTest, CancelLeavesTheRememberedStateAlone) {
    const int kinds[] = {1, 0};
    for (int isOpen : kinds) {
        SCOPED_TRACE(isOpen);
        FileDialog dialog(isOpen, FileDialogFilter, 2, nullptr);
        wchar_t path[PathSize] = L"";
        DialogAnswerer answerer(Cancel);
        EXPECT_EQ(0, dialog.Run(nullptr, path, PathSize, nullptr));
        EXPECT_FALSE(answerer.timedOut);
        EXPECT_EQ(2, dialog.filterIndex);
        EXPECT_EQ(0, dialog.readOnly);
        EXPECT_EQ(0, dialog.selectionChanged);
        EXPECT_STREQ(L"", path);
    }
}

TEST_F(FileDialogTest, DefaultExtensionReplacesTheChosenOne) {
    const struct {
        const wchar_t* extension;
        const wchar_t* typed;
        const wchar_t* expected;
    } table[] = {
        {L"bin", L"dump.txt", L"dump.bin"},
        {L".bin", L"dump.txt", L"dump.bin"},
        {L"bin", L"dump", L"dump.bin"},
        {L"bin", L"dump.bin", L"dump.bin"},
        {nullptr, L"dump.txt", L"dump.txt"},
        // A name in another script keeps every character; the ANSI dialog would hand back "?".
        {L"bin", L"\x0434\x0430\x043C\x043F.txt", L"\x0434\x0430\x043C\x043F.bin"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.typed);
        FileDialog dialog(0, FileDialogFilter, 1, row.extension);
        wchar_t path[PathSize] = L"";
        DialogAnswerer answerer(Choose(folder + L"\\" + row.typed));
        EXPECT_EQ(1, dialog.Run(nullptr, path, PathSize, nullptr));
        EXPECT_FALSE(answerer.timedOut);
        std::wstring expected = folder + L"\\" + row.expected;
        EXPECT_EQ(0, lstrcmpiW(expected.c_str(), path)) << Utf8(path);
    }
}

TEST_F(FileDialogTest, DefaultExtensionThatDoesNotFitIsRefusedWithoutOverrun) {
    std::wstring typed = folder + L"\\dump.t";
    wchar_t buffer[PathSize + GuardBytes];
    wmemset(buffer, Guard, PathSize + GuardBytes);
    buffer[0] = L'\0';
    DWORD size = static_cast<DWORD>(typed.size() + 1);
    FileDialog dialog(0, FileDialogFilter, 1, L"binary");
    DialogAnswerer answerer(Choose(typed));
    EXPECT_EQ(0, dialog.Run(nullptr, buffer, size, nullptr));
    EXPECT_FALSE(answerer.timedOut);
    EXPECT_EQ(0, lstrcmpiW(typed.c_str(), buffer));
    for (size_t i = size; i < PathSize + GuardBytes; ++i) {
        ASSERT_EQ(Guard, buffer[i]) << i;
    }
}

}  // namespace
