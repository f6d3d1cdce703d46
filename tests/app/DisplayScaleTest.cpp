// Started at 120, 144 and 192 DPI, every size the program states is its 96-DPI size scaled; moved to
// a monitor of another scale and back, it redraws the dump for each and at 96 exactly as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/MessageBoxButtons.h"
#include "app/ResourceIds.h"
#include "framework/DisplayScale.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DumpLayout.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/UnixSide.h"
#include "tests/support/WideText.h"
#include "tests/support/WindowClasses.h"

namespace {

// Set in the process the test starts at a scale: the file it reports what it measured to.
const char ReportVariable[] = "BYTRANE_SCALE_REPORT";
const char ProbeFilter[] = "--gtest_filter=DisplayScaleTest.EverySizeIsItsClassicSizeScaled";
const int RowColumns = 74;
typedef std::map<std::string, int> Report;

void Put(Report& report, const std::string& name, HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    report[name + ".w"] = rect.right - rect.left;
    report[name + ".h"] = rect.bottom - rect.top;
}

// Records the box that open shows, and its first button; its last button closes it.
void PutBox(Report& report, const std::string& name, const std::function<void()>& open) {
    DialogAnswerer answerer([&](HWND box) {
        Put(report, name, box);
        Put(report, name + ".button", messageBoxButtons[0].hwnd);
        PostMessageA(box, WM_COMMAND, messageBoxButtons[buttonCount - 1].id, 0);
        return true;
    }, MessageBoxClass);
    open();
}

// Double-clicks the cell and replaces its byte with what is typed into the dialog that opens.
void EditCell(Report& report, int column, int row, const char* typed) {
    harness::ScriptedUser user;
    // The dialog opens with its field's text selected: what is typed replaces it.
    user.Then([&](HWND dialog) { Put(report, "value", dialog); }).Type(typed).Click(IDOK);
    SendMessageA(hexView.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(column * hexView.charWidth + hexView.charWidth / 2,
                            row * hexView.lineHeight + hexView.lineHeight / 2));
    PumpMessages();
}

// What the program shows in this process, at whatever scale the process started.
Report Measure() {
    Report report;
    harness::StartProgramWindows();
    Put(report, "frame", mainWindow.hwnd);
    harness::ScratchFolder folder;
    std::string bytes = harness::Bytes(64 * BytesPerRow, 7);
    hexView.LoadFile(Wide(folder.Write("scaled.bin", bytes)).c_str());
    TEXTMETRICA dump = {};
    GetTextMetricsA(hexView.memoryDC, &dump);
    report["dump.truetype"] = (dump.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
    report["cell.w"] = hexView.charWidth;
    report["cell.h"] = hexView.lineHeight;
    report["rows"] = hexView.pageRows;
    report["view.w"] = hexView.clientWidth;

    hexView.editAllowed = 1;
    EditCell(report, HexColumn + 3 * 5, 1, "ab");
    EditCell(report, CharColumn + 9, 1, "z");
    bytes[BytesPerRow + 5] = static_cast<char>(0xAB);
    bytes[BytesPerRow + 9] = 'z';
    report["edits"] = harness::DocumentBytes() == bytes;

    PutBox(report, "save", [] { mainWindow.QueryClose(); });
    hexView.modified = 0;
    PutBox(report, "error", [] { mainWindow.ShowError("An error occurred, file not saved.", L"Bytrane"); });
    report["error.text"] = msgWindow.maxLineWidth + 4 * msgWindow.maxCharWidth;
    PutBox(report, "about", [] { SendMessageA(mainWindow.hwnd, WM_COMMAND, IDM_ABOUT, 0); });
    report["about.text"] = aboutWindow.maxLineWidth + 4 * aboutWindow.maxCharWidth;
    busyPopup.Show(hexView.hwnd, "Loading...");
    Put(report, "busy", busyPopup.hwnd);
    busyPopup.Destroy();
    return report;
}

// Sets the DPI that processes started from now on see, and puts the previous setting back.
struct LogPixels {
    explicit LogPixels(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        had = RegQueryValueExA(key, "LogPixels", nullptr, nullptr, Bytes(&previous), &size) == ERROR_SUCCESS;
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, Bytes(&dpi), sizeof dpi);
    }
    ~LogPixels() {
        had ? RegSetValueExA(key, "LogPixels", 0, REG_DWORD, Bytes(&previous), size) : RegDeleteValueA(key, "LogPixels");
        RegCloseKey(key);
    }
    static BYTE* Bytes(DWORD* value) { return reinterpret_cast<BYTE*>(value); }
    HKEY key = nullptr;
    DWORD previous = 0;
    DWORD size = sizeof previous;
    bool had = false;
};

// Starts this test program at the DPI, where the test measures and reports instead of comparing.
Report MeasureAt(DWORD dpi) {
    harness::ScratchFolder folder;
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" " + ProbeFilter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LogPixels setting(dpi);
    SetEnvironmentVariableA(ReportVariable, folder.Path("report.txt").c_str());
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 4 * WaitLimitMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA(ReportVariable, nullptr);
    Report report;
    std::istringstream lines(folder.Read("report.txt"));
    for (std::string name; lines >> name;) {
        lines >> report[name];
    }
    return report;
}

int Scaled(int classic, int dpi) { return MulDiv(classic, dpi, DisplayScale::ClassicDpi); }

// What the view shows: the back buffer that every repaint copies to the window.
std::vector<BYTE> ViewPixels() {
    BITMAP buffer = {};
    GetObjectA(hexView.backBitmap, sizeof buffer, &buffer);
    std::vector<BYTE> pixels(buffer.bmWidthBytes * buffer.bmHeight);
    GetBitmapBits(hexView.backBitmap, static_cast<LONG>(pixels.size()), pixels.data());
    return pixels;
}

TEST(DisplayScaleTest, EverySizeIsItsClassicSizeScaled) {
    if (const char* reportPath = getenv(ReportVariable)) {
        std::ostringstream lines;
        for (const auto& entry : Measure()) {
            lines << entry.first << " " << entry.second << "\n";
        }
        harness::ScratchFolder::WriteAt(reportPath, lines.str());
        return;
    }
    if (!harness::UnixSide::Present()) {
        GTEST_SKIP() << "only Wine lets a test set the DPI of a process it starts";
    }
    const Report classic = MeasureAt(DisplayScale::ClassicDpi);
    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        Report shown = MeasureAt(dpi);
        ASSERT_FALSE(shown.empty()) << "the program at this scale reported nothing";
        EXPECT_NEAR(Scaled(628, dpi), shown["frame.w"], 2);
        EXPECT_NEAR(Scaled(580, dpi), shown["frame.h"], 2);
        EXPECT_EQ(1, shown["dump.truetype"]);
        EXPECT_NEAR(Scaled(classic.at("cell.w"), dpi) - 0.5, shown["cell.w"], 0.5) << "the scaled width or 1 less";
        EXPECT_NEAR(Scaled(classic.at("cell.h"), dpi), shown["cell.h"], 1);
        EXPECT_LE(RowColumns * shown["cell.w"], shown["view.w"]) << "a row does not fit the view";
        EXPECT_NEAR(classic.at("rows"), shown["rows"], 2);
        EXPECT_EQ(1, shown["edits"]) << "a double-click on a scaled cell edited another byte";
        EXPECT_EQ(Scaled(60, dpi), shown["save.button.w"]);
        EXPECT_EQ(Scaled(30, dpi), shown["save.button.h"]);
        // A box's width is its text's, which follows the font, and margins stated in pixels.
        for (const std::string box : {"error", "about"}) {
            const int margins = classic.at(box + ".w") - classic.at(box + ".text");
            EXPECT_NEAR(Scaled(margins, dpi), shown[box + ".w"] - shown[box + ".text"], 2) << box;
        }
        // Within a 20th, and a dialog within an 8th: it is measured in units of the face it is given.
        for (const auto& side : Report{{"error.h", 20}, {"about.h", 20}, {"busy.w", 20}, {"busy.h", 20},
                                       {"value.w", 8}, {"value.h", 8}}) {
            const int expected = Scaled(classic.at(side.first), dpi);
            EXPECT_NEAR(expected, shown[side.first], expected / side.second) << side.first;
        }
    }
}

// Tells the frame that it moved to a monitor of the DPI, with the rectangle Windows suggests there.
void MoveTo(int dpi, RECT* suggested) {
    SendMessageA(mainWindow.hwnd, DpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(suggested));
    PumpMessages();
}

TEST(DisplayScaleTest, AMoveToAMonitorOfAnotherScaleRedrawsTheDumpForIt) {
    harness::StartProgramWindows();
    if (!IsWindow(mainWindow.hwnd)) {
        GTEST_SKIP() << "an earlier test of this process closed the program";
    }
    ASSERT_TRUE(harness::LoadDocument(harness::Bytes(100 * BytesPerRow, 3)));
    RECT classicFrame;
    GetWindowRect(mainWindow.hwnd, &classicFrame);
    MoveTo(DisplayScale::ClassicDpi, &classicFrame);  // the view laid out by the frame again
    hexView.Scroll(SB_LINEDOWN, 1);
    const int classicWidth = hexView.charWidth;
    const int classicHeight = hexView.lineHeight;
    const int classicRows = hexView.pageRows;
    const std::vector<BYTE> before = ViewPixels();

    RECT larger = classicFrame;
    larger.right = larger.left + Scaled(classicFrame.right - classicFrame.left, 144);
    larger.bottom = larger.top + Scaled(classicFrame.bottom - classicFrame.top, 144);
    MoveTo(144, &larger);
    RECT frame;
    GetWindowRect(mainWindow.hwnd, &frame);
    EXPECT_TRUE(EqualRect(&larger, &frame)) << "the suggested rectangle was not taken";
    EXPECT_NEAR(Scaled(classicWidth, 144), hexView.charWidth, 1);
    EXPECT_NEAR(Scaled(classicHeight, 144), hexView.lineHeight, 1);
    EXPECT_LE(RowColumns * hexView.charWidth, hexView.clientWidth) << "a row does not fit the view";
    EXPECT_NEAR(classicRows, hexView.pageRows, 2);
    EXPECT_EQ(1, hexView.topRow);

    MoveTo(DisplayScale::ClassicDpi, &classicFrame);
    EXPECT_EQ(classicRows, hexView.pageRows);
    EXPECT_TRUE(before == ViewPixels()) << "back at 96 DPI the view differs from before";
}

}  // namespace
