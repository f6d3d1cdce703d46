// The main window as the user drives it: menu state, the edit-mode toggle, titles and status
// texts, the close question, dropped files and the accelerators.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/ResourceIds.h"
#include "framework/AppInstance.h"
#include "framework/PathBuffer.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DropFiles.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/WideText.h"
#include "tests/support/WindowClasses.h"

using harness::MakeDrop;
using harness::ScratchFolder;
using harness::StatusPartText;
using harness::WindowText;

namespace {

bool Grayed(UINT id) {
    SendMessageA(mainWindow.hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(mainWindow.hwnd)), 0);
    return (GetMenuState(GetMenu(mainWindow.hwnd), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool Checked(UINT id) {
    SendMessageA(mainWindow.hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(mainWindow.hwnd)), 0);
    return (GetMenuState(GetMenu(mainWindow.hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Command(UINT id) {
    SendMessageA(mainWindow.hwnd, WM_COMMAND, id, 0);
}

// Answers the program's message box by clicking the button with the given caption, and keeps
// the box's caption for the test.
struct BoxAnswer {
    explicit BoxAnswer(const char* button)
        : answerer([this, button](HWND box) {
              char text[300] = "";
              GetWindowTextA(box, text, sizeof text);
              caption = text;
              HWND item = FindWindowExA(box, nullptr, "BUTTON", button);
              if (item != nullptr) {
                  PostMessageA(box, WM_COMMAND, GetDlgCtrlID(item), 0);
              }
              return true;
          }, MessageBoxClass) {}
    std::string caption;
    DialogAnswerer answerer;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        hexView.modified = 0;
    }
    void Load(const std::string& path) {
        hexView.LoadFile(Wide(path).c_str());
        PumpMessages();
    }
    ScratchFolder folder;
};

}  // namespace

TEST_F(MainWindowTest, MenuFollowsTheDocument) {
    Load("");
    EXPECT_EQ("Untitled - Bytrane", (mainWindow.UpdateTitle(), WindowText(mainWindow.hwnd)));
    EXPECT_EQ("No file loaded", StatusPartText(0));
    EXPECT_TRUE(Grayed(IDM_SAVE));
    EXPECT_TRUE(Grayed(IDM_SAVE_AS));
    EXPECT_TRUE(Grayed(IDM_FIND_NEXT));
    EXPECT_FALSE(Checked(IDM_ALLOW_EDITING));

    Load(folder.Write("data.bin", std::string(40, 'x')));
    EXPECT_FALSE(Grayed(IDM_SAVE_AS));
    EXPECT_TRUE(Grayed(IDM_SAVE));
    hexView.modified = 1;
    EXPECT_FALSE(Grayed(IDM_SAVE));
    hexView.nextSearchPos = 3;
    EXPECT_FALSE(Grayed(IDM_FIND_NEXT));
}

TEST_F(MainWindowTest, AllowEditingTogglesItsMarkerAndHint) {
    Load(folder.Write("data.bin", "abc"));
    Command(IDM_ALLOW_EDITING);
    EXPECT_EQ(1, hexView.editAllowed);
    EXPECT_TRUE(Checked(IDM_ALLOW_EDITING));
    EXPECT_EQ("\tEdit mode", StatusPartText(1));
    EXPECT_EQ("Double click a value to be changed", StatusPartText(0));
    Command(IDM_ALLOW_EDITING);
    EXPECT_EQ(0, hexView.editAllowed);
    EXPECT_EQ("", StatusPartText(1));
    EXPECT_EQ("", StatusPartText(0));
}

TEST_F(MainWindowTest, TitleAndFileSizeTexts) {
    struct Case { DWORD size; const char* text; };
    const Case cases[] = {
        {0, "File size: 0x0  (0)"}, {999, "File size: 0x3e7  (999)"}, {1000, "File size: 0x3e8  (1,000)"},
        {1234567, "File size: 0x12d687  (1,234,567)"},
    };
    for (const Case& c : cases) {
        mainWindow.SetStatusMessage(FileSize, c.size);
        EXPECT_EQ(c.text, StatusPartText(0));
    }
    std::string longName(70, 'n');
    wcscpy(hexView.fileName, Wide("C:\\dir\\" + longName).c_str());
    mainWindow.UpdateTitle();
    EXPECT_EQ(std::string(59, 'n') + " - Bytrane", WindowText(mainWindow.hwnd));
}

TEST_F(MainWindowTest, CloseQuestionKeepsUnsavedWorkUnlessTheUserLetsItGo) {
    std::string path = folder.Write("work.bin", "0123456789");
    Load(path);
    EXPECT_EQ(1, mainWindow.QueryClose());   // unmodified: no question

    hexView.document.data[0] = 'X';
    hexView.modified = 1;
    {
        BoxAnswer cancel("&Cancel");
        EXPECT_EQ(0, mainWindow.QueryClose());
        EXPECT_EQ(path, cancel.caption);
    }
    {
        BoxAnswer no("&No");
        EXPECT_EQ(1, mainWindow.QueryClose());
    }
    EXPECT_EQ("0123456789", folder.Read("work.bin"));
    {
        BoxAnswer yes("&Yes");
        EXPECT_EQ(1, mainWindow.QueryClose());
    }
    EXPECT_EQ("X123456789", folder.Read("work.bin"));
    EXPECT_EQ(0, hexView.modified);

    hexView.modified = 1;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        BoxAnswer yes("&Yes");
        EXPECT_EQ(0, mainWindow.QueryClose());   // the save failed: stay open
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(IsWindow(mainWindow.hwnd));
}

TEST_F(MainWindowTest, DropOpensTheFirstFileAndAsksBeforeReplacingChanges) {
    std::string first = folder.Write("first.bin", std::string(20, 'a'));
    std::string second = folder.Write("second.bin", std::string(30, 'b'));
    Load("");
    SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second})), 0);
    EXPECT_EQ(first, Utf8(hexView.fileName));
    EXPECT_EQ("first.bin - Bytrane", WindowText(mainWindow.hwnd));
    EXPECT_EQ(20, hexView.fileSize);

    hexView.modified = 1;
    {
        BoxAnswer cancel("&Cancel");
        SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({second})), 0);
        EXPECT_TRUE(cancel.answerer.finished);
    }
    EXPECT_EQ(first, Utf8(hexView.fileName));
    EXPECT_EQ(1, hexView.modified);
    {
        BoxAnswer no("&No");
        SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({second})), 0);
    }
    EXPECT_EQ(second, Utf8(hexView.fileName));
    EXPECT_EQ(30, hexView.fileSize);
}

TEST_F(MainWindowTest, DroppedPathTooLongForTheBufferIsRefused) {
    Load(folder.Write("kept.bin", "kept"));
    std::string longPath = "C:\\" + std::string(LongestPath, 'p');
    SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({longPath})), 0);
    EXPECT_EQ(folder.Path("kept.bin"), Utf8(hexView.fileName));
    EXPECT_EQ(4, hexView.fileSize);
}

TEST_F(MainWindowTest, AcceleratorsOfGrayedItemsDoNothing) {
    std::string path = folder.Write("acc.bin", "abc");
    Load(path);
    mainWindow.LoadAcceleratorTable(IDR_ACCELERATORS);
    ASSERT_NE(nullptr, mainWindow.accelerators);
    // Wine reads Alt from the keyboard state, not from the message.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);

    hexView.document.data[0] = 'Z';   // changed in memory but not marked modified
    MSG altS = {mainWindow.hwnd, WM_SYSKEYDOWN, 'S', 0x20000001, 0, {0, 0}};
    TranslateAcceleratorA(mainWindow.hwnd, mainWindow.accelerators, &altS);
    EXPECT_EQ("abc", folder.Read("acc.bin"));

    hexView.modified = 1;
    TranslateAcceleratorA(mainWindow.hwnd, mainWindow.accelerators, &altS);
    EXPECT_EQ("Zbc", folder.Read("acc.bin"));
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);

    hexView.nextSearchPos = -1;
    harness::BoxCatcher boxes;
    MSG f3 = {mainWindow.hwnd, WM_KEYDOWN, VK_F3, 0x003D0001, 0, {0, 0}};
    TranslateAcceleratorA(mainWindow.hwnd, mainWindow.accelerators, &f3);
    PumpMessages();
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(MainWindowTest, ExitAfterNoEndsTheLoopWithZero) {
    Load(folder.Write("exit.bin", "abc"));
    hexView.modified = 1;
    BoxAnswer no("&No");
    PostMessageA(mainWindow.hwnd, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(0, mainWindow.RunMessageLoop());
    EXPECT_FALSE(IsWindow(mainWindow.hwnd));
}
