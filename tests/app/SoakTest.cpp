// Long runs of what a user repeats all day: loading files, message and About boxes, the byte
// dialogs, scrolling. GDI objects, kernel handles and windows must come back to where they
// started; each test first shows that its counters see a deliberate leak.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Globals.h"
#include "app/ResourceIds.h"
#include "tests/support/BoxColours.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DumpLayout.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/ResourceCounter.h"
#include "tests/support/WindowClasses.h"
#include "tests/support/WideText.h"

namespace {

const char AboutText[] = "Bytrane\nSoak run";
const wchar_t AboutLink[] = L"https://example.invalid/";
// Objects and handles the system may create for itself on the way (caches, a timer's event).
const int Slack = 2;

class SoakTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        ExpectCountersSeeALeak();
    }

    // Runs the step once to let the system set up what it keeps for good, then the given
    // number of times, and checks that the object and handle counts end within the slack of
    // where they began and that not one window more is left: a leaked popup or dialog fails.
    template <typename Step>
    void Soak(int runs, Step step) {
        step(0);
        PumpMessages();
        int gdiBefore = CountGdiObjects();
        int kernelBefore = CountKernelHandles();
        int windowsBefore = CountProcessWindows();
        for (int i = 1; i <= runs; ++i) {
            step(i);
        }
        PumpMessages();
        EXPECT_LE(CountGdiObjects(), gdiBefore + Slack);
        EXPECT_LE(CountKernelHandles(), kernelBefore + Slack);
        EXPECT_EQ(windowsBefore, CountProcessWindows());
        EXPECT_TRUE(IsWindow(mainWindow.hwnd));
    }

    static void LoadEditable(const std::string& path) {
        ASSERT_EQ(1, hexView.LoadFile(Wide(path).c_str()));
        hexView.editAllowed = 1;
    }

    harness::ScratchFolder folder_;
};

TEST_F(SoakTest, FiveHundredLoadsOfDifferentFiles) {
    const int files = 500;
    const int sizes[] = {0, 17, 4100, 1};
    const int sizeCount = sizeof sizes / sizeof sizes[0];
    for (int i = 0; i <= files; ++i) {
        folder_.Write("f" + std::to_string(i) + ".bin", std::string(sizes[i % sizeCount], static_cast<char>(i)));
    }
    Soak(files, [this, &sizes, sizeCount](int i) {
        EXPECT_EQ(1, hexView.LoadFile(Wide(folder_.Path("f" + std::to_string(i) + ".bin")).c_str())) << i;
        EXPECT_EQ(sizes[i % sizeCount], hexView.fileSize) << i;
    });
}

TEST_F(SoakTest, TwoHundredMessageBoxes) {
    const int boxes = 200;
    int closed = 0;
    Soak(boxes, [&closed](int) {
        DialogAnswerer answer([](HWND box) {
            PostMessageA(box, WM_CLOSE, 0, 0);
            return true;
        }, MessageBoxClass);
        msgWindow.Run(mainWindow.hwnd, "Soak box", L"Bytrane", MB_OK, nullptr, BoxTextColour, BoxFaceColour,
                       BoxShadowColour);
        closed += answer.finished && !answer.timedOut ? 1 : 0;
    });
    EXPECT_EQ(boxes + 1, closed);
    EXPECT_TRUE(IsWindowEnabled(mainWindow.hwnd));
}

TEST_F(SoakTest, OneHundredAboutBoxes) {
    const int boxes = 100;
    int closed = 0;
    Soak(boxes, [&closed](int) {
        DialogAnswerer answer([](HWND) {
            PostMessageA(messageBoxButtons[0].hwnd, BM_CLICK, 0, 0);
            return true;
        }, MessageBoxClass);
        int result = aboutWindow.Run(mainWindow.hwnd, AboutText, AboutLink, 0, MAKEINTRESOURCEA(IDI_BYTRANE),
                                     BoxTextColour, BoxFaceColour, BoxShadowColour);
        closed += result == IDOK && !answer.timedOut ? 1 : 0;
    });
    EXPECT_EQ(boxes + 1, closed);
    EXPECT_TRUE(IsWindowEnabled(mainWindow.hwnd));
}

TEST_F(SoakTest, TwoHundredRunsOfEachByteDialogAnsweredCancel) {
    const int runs = 200;
    LoadEditable(folder_.Write("bytes.bin", std::string(32, 'a')));
    for (int column : {HexColumn, CharColumn}) {
        LPARAM firstByte = MAKELPARAM(column * hexView.charWidth + hexView.charWidth / 2, hexView.lineHeight / 2);
        int cancelled = 0;
        Soak(runs, [&cancelled, firstByte](int) {
            DialogAnswerer answer([](HWND dialog) {
                DialogAnswerer::PostCommand(dialog, IDCANCEL);
                return true;
            });
            hexView.EditByteAt(firstByte);
            cancelled += answer.finished && !answer.timedOut ? 1 : 0;
        });
        EXPECT_EQ(runs + 1, cancelled) << column;
    }
    EXPECT_EQ(std::string(32, 'a'),
              std::string(reinterpret_cast<const char*>(hexView.document.data), hexView.fileSize));
    EXPECT_EQ(0, hexView.modified);
    hexView.editAllowed = 0;
}

TEST_F(SoakTest, AThousandScrollAndRepaintCycles) {
    const int cycles = 1000;
    const UINT commands[] = {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM, SB_LINEUP, SB_PAGEUP, SB_TOP, ScrollDown16,
                             ScrollUp16};
    const int commandCount = sizeof commands / sizeof commands[0];
    ASSERT_EQ(1, hexView.LoadFile(Wide(folder_.Write("long.bin", std::string(64 * 1024, 'z'))).c_str()));
    Soak(cycles, [&commands, commandCount](int i) {
        hexView.Scroll(commands[i % commandCount], 1);
        hexView.Paint();
    });
    EXPECT_GE(hexView.topRow, 0);
    EXPECT_LT(hexView.topRow, hexView.rowCount);
}

}  // namespace
