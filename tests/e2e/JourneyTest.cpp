#include "JourneyTest.h"

#include <algorithm>

#include "ScreenImage.h"
#include "WindowQuery.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DumpLayout.h"
#include "tests/support/Waiting.h"
#include "tests/support/WideText.h"
#include "tests/support/WindowClasses.h"

namespace {

const int OffsetDigits = 8;
const int HexPairCells = 3;

}  // namespace

void JourneyTest::TearDown() {
    if (HasFailure() && app) {
        std::cout << "What the user saw:\n" << app->Describe() << std::endl;
    }
    app.reset();
}

BytraneApp& JourneyTest::Start(const std::string& arguments) {
    app.reset(new BytraneApp(arguments));
    EXPECT_TRUE(app->Started()) << "no main window for: " << arguments;
    return *app;
}

std::string JourneyTest::Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('A' + i % 26);
    }
    return bytes;
}

std::string JourneyTest::RowText(int row) {
    app->Settle();
    return reader.Row(ScreenImage::OfClientArea(app->View()), row);
}

int JourneyTest::TopRow() {
    const std::string row = RowText(0);
    if (row.size() < OffsetDigits) {
        return -1;
    }
    return static_cast<int>(strtoul(row.substr(0, OffsetDigits).c_str(), nullptr, 16) / BytesPerRow);
}

int JourneyTest::PageRows() {
    RECT client = {};
    GetClientRect(app->View(), &client);
    return client.bottom / reader.CellHeight();
}

::testing::AssertionResult JourneyTest::Shows(const std::string& expected, const std::function<std::string()>& read) {
    std::string seen;
    if (WaitUntil([&] {
            seen = read();
            return seen == expected;
        })) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "waited " << WaitLimitMs / 1000 << " s for \"" << expected << "\", still \""
                                         << seen << "\"";
}

::testing::AssertionResult JourneyTest::ShowsTitle(const std::string& expected) {
    return Shows(expected, [this] { return app->Title(); }) << " in the title";
}

::testing::AssertionResult JourneyTest::ShowsStatus(int part, const std::string& expected) {
    return Shows(expected, [this, part] { return app->StatusPart(part); }) << " in status part " << part;
}

::testing::AssertionResult JourneyTest::ShowsRow(int row, const std::string& expected) {
    return Shows(expected, [this, row] { return RowText(row); }) << " in row " << row;
}

::testing::AssertionResult JourneyTest::Holds(const std::string& path, const std::string& expected) {
    std::string found;
    if (WaitUntil([&] {
            found = TempFolder::Read(path);
            return found == expected;
        })) {
        return ::testing::AssertionSuccess();
    }
    const size_t common = std::min(found.size(), expected.size());
    const size_t differs = std::mismatch(found.begin(), found.begin() + common, expected.begin()).first - found.begin();
    return ::testing::AssertionFailure() << path << " holds " << found.size() << " bytes where " << expected.size()
                                         << " were expected, the first difference at offset " << differs;
}

bool JourneyTest::WaitForWindowGone(HWND window) {
    return WaitUntil([&] { return !IsWindowVisible(window) && IsWindowEnabled(app->Main()); });
}

bool JourneyTest::ClickButton(HWND window, const char* text) {
    HWND button = WindowQuery::ChildByText(window, "Button", text);
    if (!button) {
        return false;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

void JourneyTest::Type(HWND control, const std::string& text) {
    // A typist's keystrokes arrive one after the other: a field that posts itself follow-up
    // characters must see them before the next key, not after every key is already queued.
    // Settling alone is not enough: a dialog's own loop may answer the settling messages before it
    // takes the key from its queue. The field's text changing shows the key was handled, and so
    // that its follow-up is queued ahead of the next key. (A typed key may replace a selected
    // text by a shorter one, so the text need not grow.)
    for (char c : text) {
        const std::string before = WindowQuery::TextOf(control);
        PostMessageA(control, WM_CHAR, static_cast<BYTE>(c), 1);
        WaitUntil([&] { return WindowQuery::TextOf(control) != before; });
        app->Settle();
    }
}

bool JourneyTest::AnswerFileDialog(const std::string& path) {
    HWND dialog = app->WaitForWindow(DialogClass, nullptr);
    if (!dialog) {
        return false;
    }
    HWND name = GetDlgItem(dialog, DialogAnswerer::FileNameItem(dialog));
    if (!name) {
        return false;
    }
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(path).c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

HWND JourneyTest::DoubleClickByte(int offset, bool inHexArea) {
    const int index = offset % BytesPerRow;
    app->DoubleClickCell(inHexArea ? HexColumn + HexPairCells * index : CharColumn + index, offset / BytesPerRow);
    return app->WaitForWindow(DialogClass, nullptr);
}

bool JourneyTest::ClickOk(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    const bool gone = WaitForWindowGone(dialog);
    app->Settle();
    return gone;
}
