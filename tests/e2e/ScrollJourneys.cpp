#include <functional>

#include "JourneyTest.h"
#include "tests/support/Waiting.h"

namespace {

const int FullRows = 250;
const size_t DocumentSize = FullRows * 16 + 8;  // the last row, 250, holds 8 bytes
const int LastRow = FullRows;
const short WheelNotch = 120;

class ScrollJourney : public JourneyTest {
protected:
    void ExpectTopRow(int expected, const char* after) {
        EXPECT_TRUE(WaitUntil([&] { return TopRow() == expected; }))
            << "after " << after << " the top row is " << TopRow() << ", expected " << expected
            << " (first line: \"" << RowText(0) << "\")";
    }
};

TEST_F(ScrollJourney, TheTopRowFollowsKeysWheelScrollBarAndMenu) {
    const std::string path = folder.Write("long file.bin", Pattern(DocumentSize));
    BytraneApp& bytrane = Start(Quoted(path));
    ASSERT_TRUE(bytrane.Started());
    const int page = PageRows();
    ASSERT_GT(page, 2);
    ExpectTopRow(0, "opening");

    struct Step {
        const char* input;
        std::function<void()> act;
        int topRow;
    };
    const Step steps[] = {
        {"Page Down", [&] { bytrane.Key(VK_NEXT); }, page},
        {"Page Down again", [&] { bytrane.Key(VK_NEXT); }, 2 * page},
        {"Page Up", [&] { bytrane.Key(VK_PRIOR); }, page},
        {"Down arrow", [&] { bytrane.Key(VK_DOWN); }, page + 1},
        {"Up arrow", [&] { bytrane.Key(VK_UP); }, page},
        {"Right arrow", [&] { bytrane.Key(VK_RIGHT); }, page},
        {"End", [&] { bytrane.Key(VK_END); }, LastRow},
        {"Page Down on the last row", [&] { bytrane.Key(VK_NEXT); }, LastRow},
        {"Home", [&] { bytrane.Key(VK_HOME); }, 0},
        {"Up arrow on the first row", [&] { bytrane.Key(VK_UP); }, 0},
        {"wheel toward the user", [&] { bytrane.Wheel(-WheelNotch); }, 16},
        {"two notches toward the user in one message", [&] { bytrane.Wheel(-2 * WheelNotch); }, 32},
        {"wheel away from the user", [&] { bytrane.Wheel(WheelNotch); }, 16},
        {"wheel away twice", [&] { bytrane.Wheel(WheelNotch); bytrane.Wheel(WheelNotch); }, 0},
        {"scroll bar line down", [&] { bytrane.VScroll(SB_LINEDOWN); }, 1},
        {"scroll bar page down", [&] { bytrane.VScroll(SB_PAGEDOWN); }, 1 + page},
        {"scroll bar bottom", [&] { bytrane.VScroll(SB_BOTTOM); }, LastRow},
        {"scroll bar line up", [&] { bytrane.VScroll(SB_LINEUP); }, LastRow - 1},
        {"scroll bar thumb released", [&] { bytrane.VScroll(SB_THUMBPOSITION); }, LastRow - 1},
        {"scroll bar top", [&] { bytrane.VScroll(SB_TOP); }, 0},
        {"Search > Bottom", [&] { bytrane.Command(CmdBottom); }, LastRow},
        {"Search > Top", [&] { bytrane.Command(CmdTop); }, 0},
    };
    for (const Step& step : steps) {
        step.act();
        ExpectTopRow(step.topRow, step.input);
    }
}

TEST_F(ScrollJourney, EndOnASizeThatFillsItsLastRowShowsTheEmptyRow) {
    const std::string path = folder.Write("even file.bin", Pattern(FullRows * 16));
    BytraneApp& bytrane = Start(Quoted(path));
    ASSERT_TRUE(bytrane.Started());
    bytrane.Key(VK_END);
    EXPECT_TRUE(ShowsRow(0, "")) << "the top line after End";
    bytrane.Key(VK_UP);
    ExpectTopRow(FullRows - 1, "Up arrow from the empty row");
}

}  // namespace
