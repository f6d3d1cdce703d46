#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "BytraneApp.h"
#include "DumpReader.h"
#include "TempFolder.h"

// Command identifiers of the main menu, as the menu sends them.
enum MenuCommand : WORD {
    CmdOpen = 32000,
    CmdExit = 32001,
    CmdSave = 32002,
    CmdAllowEditing = 32004,
    CmdFindNext = 32005,
    CmdAbout = 32006,
    CmdSaveAs = 32007,
    CmdFindText = 32008,
    CmdFindHex = 32010,
    CmdBottom = 40001,
    CmdTop = 40002,
};

// Items of the program's byte and find dialogs.
enum DialogItem : int {
    FieldId = 3000,
    HexOptionId = 3001,
    CaseSensitiveId = 3003,
};

const int BytesPerRow = 16;

// Why a journey typed on the keyboard is skipped where BytraneApp::KeyboardReachable() is false.
const char NoInputDesktop[] =
    "types through the system's input queue, and this session has no input desktop (a service, or a locked or "
    "disconnected session)";

// Each journey starts its own Bytrane and, when it fails, reports what the user would have
// seen at that moment.
class JourneyTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts Bytrane with the command line after the program name; fails the test when no
    // main window appears.
    BytraneApp& Start(const std::string& arguments);
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
    static std::string Pattern(size_t size);

    // The top row as the view shows it, from the offset at the start of the first line.
    int TopRow();
    std::string RowText(int row);
    int PageRows();
    // Waits until read() gives the expected text; a failure says what it gave last.
    static ::testing::AssertionResult Shows(const std::string& expected, const std::function<std::string()>& read);
    // Wait until the program shows the text; a failure says what it showed instead.
    ::testing::AssertionResult ShowsTitle(const std::string& expected);
    ::testing::AssertionResult ShowsStatus(int part, const std::string& expected);
    ::testing::AssertionResult ShowsRow(int row, const std::string& expected);
    // Waits until the file holds the bytes. Only for a file the program is done with: a reader
    // holding it while a save opens it would make the save refuse a locked file.
    static ::testing::AssertionResult Holds(const std::string& path, const std::string& expected);
    // Waits until the program closes the window of that class and caption, and the main window
    // is usable again.
    bool WaitForWindowGone(HWND window);
    // Clicks a button of a window by its text, through the button's own click handling.
    bool ClickButton(HWND window, const char* text);
    // Types characters into a control, one keystroke at a time; each must change the field.
    void Type(HWND control, const std::string& text);
    // Answers a common file dialog with a path and OK.
    bool AnswerFileDialog(const std::string& path);
    // Double-clicks the byte at offset in the hex or the character area and waits for the
    // dialog that asks for its new value; null when none appears.
    HWND DoubleClickByte(int offset, bool inHexArea);
    // Clicks a dialog's OK button and waits until the dialog is gone and the program settled.
    bool ClickOk(HWND dialog);

    TempFolder folder;
    DumpReader reader;
    std::unique_ptr<BytraneApp> app;
};
