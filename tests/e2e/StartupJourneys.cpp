#include "JourneyTest.h"
#include "MenuReader.h"
#include "WindowQuery.h"
#include "tests/support/Waiting.h"
#include "tests/support/WindowClasses.h"

namespace {

const char PatternRow[] = "00000000  41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 ABCDEFGHIJKLMNOP";

class StartupJourney : public JourneyTest {};

TEST_F(StartupJourney, WithoutArgumentShowsUntitledWithNothingToSaveOrContinue) {
    BytraneApp& bytrane = Start("");
    ASSERT_TRUE(bytrane.Started());
    EXPECT_TRUE(ShowsTitle("Untitled - Bytrane"));
    EXPECT_TRUE(ShowsStatus(0, "No file loaded"));
    EXPECT_TRUE(ShowsStatus(1, ""));
    EXPECT_TRUE(ShowsStatus(2, ""));

    std::vector<MenuItemLook> file = MenuReader::Read(bytrane, 'f');
    ASSERT_EQ(FileMenuItems, file.size()) << "items of the File menu as drawn";
    EXPECT_TRUE(file[SaveItem].grayed) << "Save";
    EXPECT_TRUE(file[SaveAsItem].grayed) << "Save As";
    EXPECT_FALSE(file[AllowEditingItem].grayed) << "Allow Editing";
    EXPECT_FALSE(file[AllowEditingItem].checked) << "Allow Editing";
    EXPECT_FALSE(file[ExitItem].grayed) << "Exit";

    std::vector<MenuItemLook> search = MenuReader::Read(bytrane, 's');
    ASSERT_EQ(SearchMenuItems, search.size()) << "items of the Search menu as drawn";
    EXPECT_FALSE(search[FindTextItem].grayed) << "Find text";
    EXPECT_FALSE(search[FindHexItem].grayed) << "Find hex";
    EXPECT_TRUE(search[FindNextItem].grayed) << "Find next";

    bytrane.Command(CmdExit);
    ASSERT_TRUE(bytrane.WaitForExit());
    EXPECT_EQ(0u, bytrane.ExitCode());
}

TEST_F(StartupJourney, QuotedPathWithSpacesOpensTheFile) {
    const std::string path = folder.Write("sample data.bin", Pattern(1000));
    BytraneApp& bytrane = Start(Quoted(path));
    ASSERT_TRUE(bytrane.Started());
    EXPECT_TRUE(ShowsTitle("sample data.bin - Bytrane"));
    EXPECT_TRUE(ShowsStatus(0, "File size: 0x3e8  (1,000)"));
    EXPECT_TRUE(ShowsRow(0, PatternRow));

    std::vector<MenuItemLook> file = MenuReader::Read(bytrane, 'f');
    ASSERT_EQ(FileMenuItems, file.size());
    EXPECT_TRUE(file[SaveItem].grayed) << "Save before any change";
    EXPECT_FALSE(file[SaveAsItem].grayed) << "Save As with a file loaded";
}

TEST_F(StartupJourney, OpeningALockedFileLoadsNothingAndAnEmptyFileLoadsZeroBytes) {
    const std::string shown = folder.Write("shown.bin", Pattern(100));
    const std::string locked = folder.Write("locked file.bin", Pattern(50));
    const std::string empty = folder.Write("empty file.bin", "");
    BytraneApp& bytrane = Start(Quoted(shown));
    ASSERT_TRUE(bytrane.Started());
    ASSERT_TRUE(ShowsRow(0, PatternRow));

    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    bytrane.Command(CmdOpen);
    const bool answered = AnswerFileDialog(locked);
    // Locked until the program has given up on it: a lock let go sooner might let the open succeed.
    const ::testing::AssertionResult refused = ShowsStatus(0, "No file loaded");
    CloseHandle(lock);
    ASSERT_TRUE(answered) << "the Open dialog did not take the path";
    EXPECT_TRUE(refused);
    EXPECT_TRUE(ShowsTitle("shown.bin - Bytrane"));
    EXPECT_TRUE(ShowsRow(0, PatternRow)) << "the view changed although nothing was loaded";
    EXPECT_FALSE(bytrane.HasWindow(MessageBoxClass)) << "a failed open shows no message";

    bytrane.Command(CmdOpen);
    ASSERT_TRUE(AnswerFileDialog(empty));
    EXPECT_TRUE(ShowsStatus(0, "File size: 0x0  (0)"));
    EXPECT_TRUE(ShowsTitle("empty file.bin - Bytrane"));
    EXPECT_TRUE(ShowsRow(0, "")) << "a 0-byte file shows one empty row";
}

TEST_F(StartupJourney, AboutBoxOpensFromHelpAndClosesWithEnter) {
    BytraneApp& bytrane = Start("");
    ASSERT_TRUE(bytrane.Started());
    bytrane.Command(CmdAbout);
    HWND about = bytrane.WaitForWindow(MessageBoxClass, nullptr);
    ASSERT_NE(nullptr, about) << "no About box";
    HWND ok = WindowQuery::ChildByText(about, "Button", "&Ok");
    ASSERT_NE(nullptr, ok) << WindowQuery::Describe(about);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(bytrane.Main()); }))
        << "the main window stays usable under the About box";
    EXPECT_TRUE(WaitUntil([&] { return bytrane.FocusWindow() == ok; })) << "the Ok button has no focus";

    PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(WaitForWindowGone(about)) << "Enter did not close the About box";
    EXPECT_TRUE(bytrane.Running());
    EXPECT_FALSE(bytrane.HasWindow(DialogClass));
}

}  // namespace
