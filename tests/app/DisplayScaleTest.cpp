// The program at other display scales: started at 120, 144 and 192 DPI, each size it states is its
// size at 96 DPI scaled and the dump keeps its shape; moved to a monitor of another scale and back,
// it redraws the dump for each and, at 96 again, exactly as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/MessageBoxButtons.h"
#include "app/ResourceIds.h"
#include "framework/DisplayScale.h"
#include "search/DialogIds.h"
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

SIZE SizeOf(HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Put(Report& report, const std::string& name, SIZE size) {
    report[name + ".w"] = size.cx;
    report[name + ".h"] = size.cy;
}

// Runs open, which shows one of the program's boxes, and closes the box with its last button.
SIZE BoxSize(const std::function<void()>& open, SIZE* firstButton = nullptr) {
    SIZE box = {0, 0};
    DialogAnswerer answerer([&](HWND window) {
        box = SizeOf(window);
        if (firstButton != nullptr) {
            *firstButton = SizeOf(messageBoxButtons[0].hwnd);
        }
        PostMessageA(window, WM_COMMAND, messageBoxButtons[buttonCount - 1].id, 0);
        return true;
    }, MessageBoxClass);
    open();
    return box;
}

// Double-clicks the cell and replaces the byte with what is typed into the dialog that opens.
SIZE EditCell(int column, int row, const char* typed) {
    SIZE dialog = {0, 0};
    harness::ScriptedUser user;
    user.Then([&](HWND window) {
            dialog = SizeOf(window);
            SetDlgItemTextA(window, IDC_EDIT_FIELD, "");
        })
        .Type(typed)
        .Click(IDOK);
    SendMessageA(hexView.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(column * hexView.charWidth + hexView.charWidth / 2,
                            row * hexView.lineHeight + hexView.lineHeight / 2));
    PumpMessages();
    return dialog;
}

// What the program shows in this process, at whatever scale the process started.
Report Measure() {
    Report report;
    harness::StartProgramWindows();
    Put(report, "frame", SizeOf(mainWindow.hwnd));
    harness::ScratchFolder folder;
    std::string bytes = harness::Bytes(64 * BytesPerRow, 7);
    hexView.LoadFile(Wide(folder.Write("scaled.bin", bytes)).c_str());
    PumpMessages();
    TEXTMETRICA dump = {};
    GetTextMetricsA(hexView.memoryDC, &dump);
    report["dump.truetype"] = (dump.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
    report["cell.w"] = hexView.charWidth;
    report["cell.h"] = hexView.lineHeight;
    report["rows"] = hexView.pageRows;
    report["view.w"] = hexView.clientWidth;

    hexView.editAllowed = 1;
    Put(report, "value", EditCell(HexColumn + 3 * 5, 1, "ab"));
    EditCell(CharColumn + 9, 1, "z");
    bytes[BytesPerRow + 5] = static_cast<char>(0xAB);
    bytes[BytesPerRow + 9] = 'z';
    report["edits"] = harness::DocumentBytes() == bytes;

    SIZE button = {0, 0};
    BoxSize([] { mainWindow.QueryClose(); }, &button);
    Put(report, "button", button);
    hexView.modified = 0;
    // A box's width is its text's, which follows the font, and margins the program states in pixels.
    Put(report, "error", BoxSize([] { mainWindow.ShowError("An error occurred, file not saved.", L"Bytrane"); }));
    report["error.text"] = msgWindow.maxLineWidth + 4 * msgWindow.maxCharWidth;
    Put(report, "about", BoxSize([] { SendMessageA(mainWindow.hwnd, WM_COMMAND, IDM_ABOUT, 0); }));
    report["about.text"] = aboutWindow.maxLineWidth + 4 * aboutWindow.maxCharWidth;
    busyPopup.Show(hexView.hwnd, "Loading...");
    Put(report, "busy", SizeOf(busyPopup.hwnd));
    busyPopup.Destroy();
    return report;
}

// Sets the DPI that processes started from now on see, and puts the previous setting back.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof previous_;
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~LogPixels() {
        if (had_) {
            RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
        } else {
            RegDeleteValueA(key_, "LogPixels");
        }
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool had_ = false;
};

// Starts this test program at the DPI, where the test measures and reports instead of comparing.
Report MeasureAt(DWORD dpi) {
    harness::ScratchFolder folder;
    std::string path = folder.Path("report.txt");
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" " + ProbeFilter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    {
        LogPixels setting(dpi);
        SetEnvironmentVariableA(ReportVariable, path.c_str());
        BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                      &process);
        SetEnvironmentVariableA(ReportVariable, nullptr);
        if (!started) {
            return {};
        }
        if (WaitForSingleObject(process.hProcess, 4 * WaitLimitMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    Report report;
    FILE* file = fopen(path.c_str(), "r");
    char name[64];
    int value;
    while (file != nullptr && fscanf(file, "%63s %d", name, &value) == 2) {
        report[name] = value;
    }
    if (file != nullptr) {
        fclose(file);
    }
    return report;
}

int Scaled(int classic, int dpi) {
    return MulDiv(classic, dpi, 96);
}

// The view's client area as the screen shows it, copied in one transfer.
std::vector<DWORD> ViewPixels() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = hexView.clientWidth;
    info.bmiHeader.biHeight = -hexView.clientHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, copy);
    HDC window = GetDC(hexView.hwnd);
    BitBlt(dc, 0, 0, hexView.clientWidth, hexView.clientHeight, window, 0, 0, SRCCOPY);
    ReleaseDC(hexView.hwnd, window);
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits),
                              static_cast<DWORD*>(bits) + hexView.clientWidth * hexView.clientHeight);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(copy);
    return pixels;
}

TEST(DisplayScaleTest, EverySizeIsItsClassicSizeScaled) {
    const char* reportPath = getenv(ReportVariable);
    if (reportPath != nullptr) {
        FILE* file = fopen(reportPath, "w");
        ASSERT_NE(nullptr, file);
        for (const auto& entry : Measure()) {
            fprintf(file, "%s %d\n", entry.first.c_str(), entry.second);
        }
        fclose(file);
        return;
    }
    if (!harness::UnixSide::Present()) {
        GTEST_SKIP() << "only Wine lets a test set the DPI of a process it starts";
    }
    const Report classic = MeasureAt(96);
    ASSERT_EQ(628, classic.at("frame.w"));
    ASSERT_EQ(580, classic.at("frame.h"));
    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        Report shown = MeasureAt(dpi);
        ASSERT_FALSE(shown.empty()) << "the program at this scale reported nothing";
        EXPECT_NEAR(Scaled(628, dpi), shown["frame.w"], 2);
        EXPECT_NEAR(Scaled(580, dpi), shown["frame.h"], 2);
        EXPECT_EQ(1, shown["dump.truetype"]);
        EXPECT_LE(Scaled(classic.at("cell.w"), dpi) - 1, shown["cell.w"]);
        EXPECT_GE(Scaled(classic.at("cell.w"), dpi), shown["cell.w"]);
        EXPECT_NEAR(Scaled(classic.at("cell.h"), dpi), shown["cell.h"], 1);
        EXPECT_LE(RowColumns * shown["cell.w"], shown["view.w"]) << "a row does not fit the view";
        EXPECT_NEAR(classic.at("rows"), shown["rows"], 2);
        EXPECT_EQ(1, shown["edits"]) << "a double-click on a scaled cell edited another byte";
        EXPECT_EQ(Scaled(60, dpi), shown["button.w"]);
        EXPECT_EQ(Scaled(30, dpi), shown["button.h"]);
        for (const std::string box : {"error", "about"}) {
            const int margins = classic.at(box + ".w") - classic.at(box + ".text");
            EXPECT_NEAR(Scaled(margins, dpi), shown[box + ".w"] - shown[box + ".text"], 2) << box;
        }
        for (const char* side : {"error.h", "about.h", "busy.w", "busy.h"}) {
            EXPECT_NEAR(Scaled(classic.at(side), dpi), shown[side], Scaled(classic.at(side), dpi) / 20) << side;
        }
        // A dialog is measured in its font's units, which follow the face the dialog manager finds.
        for (const char* side : {"value.w", "value.h"}) {
            EXPECT_NEAR(Scaled(classic.at(side), dpi), shown[side], Scaled(classic.at(side), dpi) / 8) << side;
        }
    }
}

TEST(DisplayScaleTest, AMoveToAMonitorOfAnotherScaleRedrawsTheDumpForIt) {
    harness::StartProgramWindows();
    ASSERT_TRUE(harness::LoadDocument(harness::Bytes(100 * BytesPerRow, 3)));
    RECT client;
    GetClientRect(mainWindow.hwnd, &client);
    SendMessageA(mainWindow.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    hexView.Scroll(SB_LINEDOWN, 1);
    const int classicWidth = hexView.charWidth;
    const int classicHeight = hexView.lineHeight;
    const int classicRows = hexView.pageRows;
    const std::vector<DWORD> before = ViewPixels();
    RECT classicFrame;
    GetWindowRect(mainWindow.hwnd, &classicFrame);

    RECT larger = classicFrame;
    larger.right = larger.left + Scaled(classicFrame.right - classicFrame.left, 144);
    larger.bottom = larger.top + Scaled(classicFrame.bottom - classicFrame.top, 144);
    SendMessageA(mainWindow.hwnd, DpiChangedMessage, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&larger));
    PumpMessages();
    RECT frame;
    GetWindowRect(mainWindow.hwnd, &frame);
    EXPECT_TRUE(EqualRect(&larger, &frame)) << "the suggested rectangle was not taken";
    EXPECT_NEAR(Scaled(classicWidth, 144), hexView.charWidth, 1);
    EXPECT_NEAR(Scaled(classicHeight, 144), hexView.lineHeight, 1);
    EXPECT_LE(RowColumns * hexView.charWidth, hexView.clientWidth) << "a row does not fit the view";
    EXPECT_NEAR(classicRows, hexView.pageRows, 2);
    EXPECT_EQ(1, hexView.topRow);
    std::vector<DWORD> scaled = ViewPixels();
    EXPECT_NE(before, scaled);

    SendMessageA(mainWindow.hwnd, DpiChangedMessage, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&classicFrame));
    PumpMessages();
    GetWindowRect(mainWindow.hwnd, &frame);
    EXPECT_TRUE(EqualRect(&classicFrame, &frame));
    EXPECT_EQ(classicWidth, hexView.charWidth);
    EXPECT_EQ(classicHeight, hexView.lineHeight);
    EXPECT_EQ(classicRows, hexView.pageRows);
    EXPECT_TRUE(before == ViewPixels()) << "back at 96 DPI the view differs from before";
}

}  // namespace
