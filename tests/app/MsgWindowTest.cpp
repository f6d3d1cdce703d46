#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/MessageBoxButtons.h"
#include "tests/support/BoxColours.h"
#include "tests/support/DisplayMetrics.h"
#include "tests/support/ModalBoxTest.h"
#include "tests/support/WideText.h"
#include "tests/support/WindowClasses.h"

namespace {

HWND FocusedButton() {
    HWND focus = GetFocus();
    for (int i = 0; i < buttonCount; ++i) {
        if (messageBoxButtons[i].hwnd == focus) {
            return focus;
        }
    }
    return messageBoxButtons[focusIndex].hwnd;
}

std::vector<WPARAM> keysToPost;

void PostKeys() {
    for (WPARAM key : keysToPost) {
        PostMessageA(FocusedButton(), WM_KEYDOWN, key, 1);
    }
}

void PressEnter() {
    PostMessageA(FocusedButton(), WM_KEYDOWN, VK_RETURN, 1);
}

struct ButtonSeen {
    std::string text;
    RECT rect;  // in the box's client coordinates
};

RECT windowSeen;
RECT clientSeen;
std::vector<ButtonSeen> buttonsSeen;
int lineCountSeen;
int maxLineWidthSeen;

void RecordLayout() {
    GetWindowRect(msgWindow.hwnd, &windowSeen);
    GetClientRect(msgWindow.hwnd, &clientSeen);
    lineCountSeen = msgWindow.lineCount;
    maxLineWidthSeen = msgWindow.maxLineWidth;
    buttonsSeen.clear();
    for (int i = 0; i < buttonCount; ++i) {
        ButtonSeen seen;
        char caption[32] = "";
        GetWindowTextA(messageBoxButtons[i].hwnd, caption, sizeof caption);
        seen.text = caption;
        GetWindowRect(messageBoxButtons[i].hwnd, &seen.rect);
        MapWindowPoints(nullptr, msgWindow.hwnd, reinterpret_cast<POINT*>(&seen.rect), 2);
        buttonsSeen.push_back(seen);
    }
}

class MsgWindowTest : public ModalBoxTest {
protected:
    HWND Box() const override { return msgWindow.hwnd; }

    int RunBox(HWND boxOwner, const std::vector<Step>& script, int type, const char* text, const char* caption) {
        const std::wstring wideCaption = caption != nullptr ? Wide(caption) : std::wstring();
        return RunWithSteps(script, [&] {
            return msgWindow.Run(boxOwner, text, caption != nullptr ? wideCaption.c_str() : nullptr, type, nullptr,
                                 BoxTextColour, BoxFaceColour, BoxShadowColour);
        });
    }
};

TEST_F(MsgWindowTest, SizesItselfAndPlacesItsButtonsByType) {
    struct Case {
        int type;
        const char* text;
        int minimumLines;
        std::vector<std::string> labels;
        std::vector<int> offsets;  // left edges relative to the client's middle
        int enterResult;
    };
    const Case cases[] = {
        {MB_YESNOCANCEL | MB_ICONQUESTION, "Save file?", 13, {"&Yes", "&No", "&Cancel"}, {-100, -30, 40}, IDYES},
        {MB_OK | MB_ICONEXCLAMATION, "The file could not be written.", 0, {"&Ok"}, {-30}, IDOK},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, "Go on?", 10, {"&Ok", "&Cancel"}, {-70, 10}, IDOK},
        {MB_YESNO | MB_ICONQUESTION, "Replace it?", 10, {"&Yes", "&No"}, {-70, 10}, IDYES},
        {MB_OK | MB_ICONEXCLAMATION,
         "A rather long error text that is certainly wider than any minimum of the buttons", 0, {"&Ok"}, {-30}, IDOK},
    };
    DisplayMetrics display = DisplayMetrics::Measure();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int result = RunBox(owner, {RecordLayout, PressEnter}, c.type, c.text, "data.bin");
        EXPECT_EQ(c.enterResult, result);
        ExpectClosedCleanly();

        int textWidth = DisplayMetrics::TextWidth(c.text) + 4 * display.maxCharWidth + 64;
        int minimum = c.minimumLines * display.lineHeight;
        EXPECT_EQ((textWidth > minimum ? textWidth : minimum) + 16, windowSeen.right - windowSeen.left);
        EXPECT_GE(windowSeen.right - windowSeen.left, minimum + 16);
        EXPECT_EQ(7 * display.lineHeight, windowSeen.bottom - windowSeen.top);

        ASSERT_EQ(c.labels.size(), buttonsSeen.size());
        int mid = clientSeen.right / 2;
        for (size_t i = 0; i < c.labels.size(); ++i) {
            SCOPED_TRACE(c.labels[i]);
            EXPECT_EQ(c.labels[i], buttonsSeen[i].text);
            EXPECT_EQ(mid + c.offsets[i], buttonsSeen[i].rect.left);
            EXPECT_EQ(clientSeen.bottom - 2 * display.lineHeight, buttonsSeen[i].rect.top);
            EXPECT_EQ(60, buttonsSeen[i].rect.right - buttonsSeen[i].rect.left);
            EXPECT_EQ(30, buttonsSeen[i].rect.bottom - buttonsSeen[i].rect.top);
        }
    }
}

TEST_F(MsgWindowTest, CountsLinesAndGrowsOneLineHeightPerLine) {
    struct Case {
        const char* text;
        int lines;
        const char* widest;
    };
    const Case cases[] = {
        {"one line", 1, "one line"},
        {"first\nsecond and longer", 2, "second and longer"},
        {"ends with a newline\n", 1, "ends with a newline"},
        {"a wide line\n\nb", 3, "a wide line"},
        {"", 0, ""},
    };
    DisplayMetrics display = DisplayMetrics::Measure();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IDOK, RunBox(owner, {RecordLayout, PressEnter}, MB_OK | MB_ICONEXCLAMATION, c.text, "Bytrane"));
        ExpectClosedCleanly();
        EXPECT_EQ(c.lines, lineCountSeen);
        EXPECT_EQ(DisplayMetrics::TextWidth(c.widest), maxLineWidthSeen);
        EXPECT_EQ((c.lines + 6) * display.lineHeight, windowSeen.bottom - windowSeen.top);
    }
}

TEST_F(MsgWindowTest, WithoutAnIconAWideCaptionWidensTheBox) {
    const char caption[] = "A caption that is much wider than the text";
    DisplayMetrics display = DisplayMetrics::Measure();
    EXPECT_EQ(IDOK, RunBox(owner, {RecordLayout, PressEnter}, MB_OK, "Short", caption));
    ExpectClosedCleanly();
    EXPECT_EQ(DisplayMetrics::TextWidth(caption) + 4 * display.maxCharWidth + 8 + 16, windowSeen.right - windowSeen.left);
}

TEST_F(MsgWindowTest, KeysMoveTheFocusAndChooseButtons) {
    struct Case {
        const char* name;
        int type;
        std::vector<WPARAM> keys;
        int result;
    };
    const int saveQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;
    const int error = MB_OK | MB_ICONEXCLAMATION;
    const Case cases[] = {
        {"Enter on the first button", saveQuestion, {VK_RETURN}, IDYES},
        {"N", saveQuestion, {'N'}, IDNO},
        {"Y", saveQuestion, {'Y'}, IDYES},
        {"C", saveQuestion, {'C'}, IDCANCEL},
        {"Tab once", saveQuestion, {VK_TAB, VK_RETURN}, IDNO},
        {"Tab wraps to the first", saveQuestion, {VK_TAB, VK_TAB, VK_TAB, VK_RETURN}, IDYES},
        {"Right twice", saveQuestion, {VK_RIGHT, VK_RIGHT, VK_RETURN}, IDCANCEL},
        {"Left wraps to the last", saveQuestion, {VK_LEFT, VK_RETURN}, IDCANCEL},
        {"Left twice", saveQuestion, {VK_LEFT, VK_LEFT, VK_RETURN}, IDNO},
        {"unbound key then N", saveQuestion, {'Q', VK_PRIOR, 'N'}, IDNO},
        {"second button first", saveQuestion | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
        {"third button first", saveQuestion | MB_DEFBUTTON3, {VK_RETURN}, IDCANCEL},
        {"third button asked of a one-button box", error | MB_DEFBUTTON3, {VK_RETURN}, IDOK},
        {"O", error, {'O'}, IDOK},
        {"Tab on a single button", error, {VK_TAB, VK_RETURN}, IDOK},
        {"Cancel of Ok/Cancel", MB_OKCANCEL, {'C'}, IDCANCEL},
        {"No of Yes/No", MB_YESNO, {VK_RIGHT, VK_RETURN}, IDNO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keysToPost = c.keys;
        EXPECT_EQ(c.result, RunBox(owner, {PostKeys}, c.type, "Save file?", "data.bin"));
        ExpectClosedCleanly();
    }
}

HWND focusSeen[2];

void PressTab() {
    PostMessageA(FocusedButton(), WM_KEYDOWN, VK_TAB, 1);
}
void LookThenLeftTwice() {
    focusSeen[0] = GetFocus();
    PostMessageA(FocusedButton(), WM_KEYDOWN, VK_LEFT, 1);
    PostMessageA(FocusedButton(), WM_KEYDOWN, VK_LEFT, 1);
}
void LookThenEnter() {
    focusSeen[1] = GetFocus();
    PressEnter();
}

TEST_F(MsgWindowTest, TheKeyboardFocusFollowsTheMoves) {
    HWND buttons[3];
    EXPECT_EQ(IDCANCEL, RunBox(owner, {PressTab, LookThenLeftTwice, RecordLayout, LookThenEnter},
                               MB_YESNOCANCEL | MB_ICONQUESTION, "Save file?", "data.bin"));
    for (int i = 0; i < 3; ++i) {
        buttons[i] = messageBoxButtons[i].hwnd;
    }
    ExpectClosedCleanly();
    EXPECT_EQ(buttons[1], focusSeen[0]);
    EXPECT_EQ(buttons[2], focusSeen[1]);
}

int buttonToClick;

void ClickButton() {
    PostMessageA(messageBoxButtons[buttonToClick].hwnd, BM_CLICK, 0, 0);
}

TEST_F(MsgWindowTest, ClickingAButtonReturnsItsCode) {
    const int expected[] = {IDYES, IDNO, IDCANCEL};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        buttonToClick = i;
        EXPECT_EQ(expected[i], RunBox(owner, {ClickButton}, MB_YESNOCANCEL | MB_ICONQUESTION, "Save file?", "x"));
        ExpectClosedCleanly();
    }
}

void PostClose() {
    PostMessageA(msgWindow.hwnd, WM_CLOSE, 0, 0);
}
void PostSystemClose() {
    PostMessageA(msgWindow.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}
void PostQuit() {
    PostQuitMessage(5);
}

TEST_F(MsgWindowTest, ClosingWithoutAButtonEndsTheBoxAsCancel) {
    struct Case {
        const char* name;
        Step step;
    };
    const Case cases[] = {{"WM_CLOSE", PostClose}, {"system close key", PostSystemClose}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IDCANCEL, RunBox(owner, {c.step}, MB_YESNOCANCEL | MB_ICONQUESTION, "Save file?", "x"));
        ExpectClosedCleanly();
    }
}

TEST_F(MsgWindowTest, AQuitMessageEndsTheBoxAndStaysQueued) {
    EXPECT_EQ(IDCANCEL, RunBox(owner, {PostQuit}, MB_YESNOCANCEL | MB_ICONQUESTION, "Save file?", "x"));
    ExpectClosedCleanly();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, message.wParam);
}

LRESULT CALLBACK RefuseBoxCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char className[32] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, MessageBoxClass) == 0) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MsgWindowTest, ABoxThatCannotBeCreatedReturnsZeroAtOnce) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseBoxCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    int result = RunBox(owner, {}, MB_OK | MB_ICONEXCLAMATION, "Error", "Bytrane");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0, result);
    ExpectClosedCleanly();
    EXPECT_EQ(IDOK, RunBox(owner, {PressEnter}, MB_OK | MB_ICONEXCLAMATION, "Error", "Bytrane"));
}

HWND doomedOwner;

void DestroyDoomedOwner() {
    DestroyWindow(doomedOwner);
}

TEST_F(MsgWindowTest, ABoxDestroyedWithItsOwnerEndsAndTheNextBoxStillShows) {
    doomedOwner = CreateOwner();
    EXPECT_EQ(IDCANCEL, RunBox(doomedOwner, {DestroyDoomedOwner}, MB_OK, "Error", "Bytrane"));
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(IDNO, RunBox(owner, {RecordLayout, PressEnter, PressEnter}, MB_YESNO | MB_DEFBUTTON2, "Next", "x"));
    EXPECT_EQ(2u, buttonsSeen.size());
    ExpectClosedCleanly();
}

void NullTextsSeen() {
    RecordLayout();
    PressEnter();
}

TEST_F(MsgWindowTest, NullTextAndCaptionShowAnEmptyBox) {
    EXPECT_EQ(IDOK, RunBox(owner, {NullTextsSeen}, MB_OK, nullptr, nullptr));
    ExpectClosedCleanly();
    EXPECT_EQ(0, lineCountSeen);
}

ULONGLONG ThreadCpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 10000;
}

void Idle() {}

TEST_F(MsgWindowTest, AnIdleBoxDoesNotSpin) {
    // The calibration spins until the thread has been charged for its work; on a busy machine
    // that takes longer than the CPU time itself, so it is bounded by a generous wall time.
    const ULONGLONG spinMilliseconds = 300;
    const DWORD spinLimitMilliseconds = 20000;
    ULONGLONG before = ThreadCpuMilliseconds();
    DWORD start = GetTickCount();
    while (ThreadCpuMilliseconds() - before < spinMilliseconds && GetTickCount() - start < spinLimitMilliseconds) {
    }
    ASSERT_GE(ThreadCpuMilliseconds() - before, spinMilliseconds) << "the thread's CPU time is not measured here";

    std::vector<Step> idleThenEnter(15, Idle);
    idleThenEnter.push_back(PressEnter);
    before = ThreadCpuMilliseconds();
    start = GetTickCount();
    EXPECT_EQ(IDOK, RunBox(owner, idleThenEnter, MB_OK, "Waiting", "x"));
    DWORD elapsed = GetTickCount() - start;
    ULONGLONG used = ThreadCpuMilliseconds() - before;
    ExpectClosedCleanly();
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(used, elapsed / 4);
}

}  // namespace
