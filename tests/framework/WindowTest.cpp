#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/AppInstance.h"
#include "framework/Control.h"
#include "framework/Window.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/RecordingWindow.h"

namespace {

const int WindowWidth = 200;
const int WindowHeight = 100;
const LPARAM SampleLParam = 0x00300020;
const WPARAM SampleWParam = 0x1234;
const LRESULT Answer = 77;
const UINT UnlistedMessage = WM_USER + 5;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { appInstance = GetModuleHandleA(nullptr); }
};

int CreateRecording(RecordingWindow& window, DWORD style = WS_POPUP) {
    window.style = style;
    return window.Create(nullptr, nullptr, "abc", 0, 0, WindowWidth, WindowHeight);
}

struct Routing {
    UINT message;
    const char* operation;
    LRESULT result;       // with every value-returning operation answering `Answer`
    bool passesParams;    // the operation receives wParam and lParam unchanged
};

TEST_F(WindowTest, EachMessageReachesItsOperationWithItsResult) {
    const Routing table[] = {
        {WM_CHAR, "OnChar", 0, true},
        {WM_CLOSE, "OnClose", 0, false},
        {WM_COMMAND, "OnCommand", 0, true},
        {WM_CONTEXTMENU, "OnContextMenu", 0, true},
        {WM_CTLCOLORLISTBOX, "OnCtlColorListBox", Answer, true},
        {WM_DRAWITEM, "OnDrawItem", 1, true},
        {WM_DROPFILES, "OnDropFiles", 0, false},
        {WM_INITMENU, "OnInitMenu", 0, false},
        {WM_KEYDOWN, "OnKeyDown", 0, true},
        {WM_KEYUP, "OnKeyUp", 0, true},
        {WM_KILLFOCUS, "OnKillFocus", 0, false},
        {WM_LBUTTONDBLCLK, "OnLButtonDblClk", 0, true},
        {WM_LBUTTONDOWN, "OnLButtonDown", 0, true},
        {WM_LBUTTONUP, "OnLButtonUp", 0, true},
        {WM_MENUSELECT, "OnMenuSelect", 0, true},
        {WM_MOUSEMOVE, "OnMouseMove", 0, true},
        {WM_MOUSEWHEEL, "OnMouseWheel", 0, true},
        {WM_PAINT, "OnPaint", 0, false},
        {WM_QUERYENDSESSION, "OnQueryEndSession", Answer, false},
        {WM_RBUTTONDOWN, "OnRButtonDown", 0, true},
        {WM_RBUTTONUP, "OnRButtonUp", 0, true},
        {WM_SETFOCUS, "OnSetFocus", 0, false},
        {WM_SIZE, "OnSize", 0, true},
        {WM_SYSCOLORCHANGE, "OnSysColorChange", 0, false},
        {WM_SYSKEYDOWN, "OnSysKeyDown", 0, true},
        {WM_SYSKEYUP, "OnSysKeyUp", 0, true},
        {WM_TIMER, "OnTimer", 0, false},
        {WM_VKEYTOITEM, "OnVKeyToItem", Answer, false},
        {WM_VSCROLL, "OnVScroll", 0, true},
        {WM_CREATE, "OnCreate", 0, false},
    };
    RecordingWindow window;
    ASSERT_EQ(1, CreateRecording(window));
    window.answer = Answer;
    window.menuSelectAnswer = 1;
    for (const Routing& row : table) {
        SCOPED_TRACE(row.operation);
        window.calls.clear();
        LRESULT result = SendMessageA(window.hwnd, row.message, SampleWParam, SampleLParam);
        EXPECT_EQ(row.result, result);
        ASSERT_EQ(1u, window.calls.size());
        EXPECT_EQ(row.operation, window.calls[0].operation);
        if (row.passesParams) {
            EXPECT_EQ(SampleWParam, window.calls[0].wParam);
            EXPECT_EQ(SampleLParam, window.calls[0].lParam);
        } else if (row.message == WM_DROPFILES || row.message == WM_TIMER || row.message == WM_VKEYTOITEM) {
            EXPECT_EQ(SampleWParam, window.calls[0].wParam);
        }
    }
}

TEST_F(WindowTest, CreationFailsWhenOnCreateAnswersZero) {
    const struct {
        int createResult;
        int expected;
    } table[] = {{0, 0}, {1, 1}, {5, 1}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.createResult);
        RecordingWindow window;
        window.createResult = row.createResult;
        EXPECT_EQ(row.expected, CreateRecording(window));
        EXPECT_EQ(row.expected == 1, window.hwnd != nullptr);
        EXPECT_EQ(row.expected == 1, IsWindow(window.hwnd) != FALSE);
    }
}

TEST_F(WindowTest, DestroyCallsItsThreeOperationsInOrder) {
    RecordingWindow window;
    ASSERT_EQ(1, CreateRecording(window));
    window.calls.clear();
    EXPECT_EQ(1, window.Destroy());
    EXPECT_EQ(nullptr, window.hwnd);
    EXPECT_EQ((std::vector<std::string>{"OnDestroy", "OnTerminate", "OnDestroyed"}), window.Operations());
}

TEST_F(WindowTest, EndSessionTerminatesOnlyWhenTheSessionEnds) {
    const struct {
        WPARAM ending;
        std::vector<std::string> operations;
    } table[] = {
        {0, {"OnEndSession"}},
        {1, {"OnEndSession", "OnTerminate"}},
    };
    RecordingWindow window;
    ASSERT_EQ(1, CreateRecording(window));
    for (const auto& row : table) {
        SCOPED_TRACE(row.ending);
        window.calls.clear();
        EXPECT_EQ(0, SendMessageA(window.hwnd, WM_ENDSESSION, row.ending, SampleLParam));
        EXPECT_EQ(row.operations, window.Operations());
        EXPECT_EQ(SampleLParam, window.calls[0].lParam);
    }
}

TEST_F(WindowTest, BaseBodiesAnswerTheirDefaults) {
    const struct {
        UINT message;
        LRESULT result;
    } table[] = {
        {WM_QUERYENDSESSION, 1},
        {WM_VKEYTOITEM, -1},
        {WM_CTLCOLORLISTBOX, 0},
        {WM_DRAWITEM, 1},
        {WM_MENUSELECT, 0},
    };
    TestWindow window;
    ASSERT_EQ(1, window.Create(nullptr, nullptr, "", 0, 0, WindowWidth, WindowHeight));
    for (const auto& row : table) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(row.result, SendMessageA(window.hwnd, row.message, 0, 0));
    }
}

TEST_F(WindowTest, BasePaintValidatesTheWindow) {
    TestWindow window;
    ASSERT_EQ(1, window.Create(nullptr, nullptr, "", 0, 0, WindowWidth, WindowHeight));
    InvalidateRect(window.hwnd, nullptr, FALSE);
    SendMessageA(window.hwnd, WM_PAINT, 0, 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window.hwnd, &update, FALSE));
}

TEST_F(WindowTest, UnlistedMessagesGoToDefaultProcessingUnlessHandled) {
    // WM_GETTEXTLENGTH answers 3 and WM_SETTEXT changes the text only in DefWindowProcA.
    const struct {
        bool handled;
        LRESULT lengthResult;
        const char* textAfterSet;
    } table[] = {
        {false, 3, "changed"},
        {true, 0, "abc"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.handled);
        RecordingWindow window;
        ASSERT_EQ(1, CreateRecording(window));
        if (row.handled) {
            window.handledOtherMessages = {WM_GETTEXTLENGTH, WM_SETTEXT, UnlistedMessage};
        }
        EXPECT_EQ(row.lengthResult, SendMessageA(window.hwnd, WM_GETTEXTLENGTH, 0, 0));
        SendMessageA(window.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
        window.handledOtherMessages.clear();
        char text[16] = "";
        GetWindowTextA(window.hwnd, text, sizeof(text));
        EXPECT_STREQ(row.textAfterSet, text);
    }
}

std::vector<UINT> hookedMessages;
HWND hookedWindow;

LRESULT CALLBACK RecordSentMessages(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (hookedWindow == nullptr || sent->hwnd == hookedWindow)) {
        if (hookedWindow == nullptr && sent->message == WM_GETMINMAXINFO) {
            hookedWindow = sent->hwnd;
        }
        if (sent->hwnd == hookedWindow) {
            hookedMessages.push_back(sent->message);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WindowTest, MessagesBeforeNcCreateReachNoObject) {
    hookedMessages.clear();
    hookedWindow = nullptr;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSentMessages, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    RecordingWindow window;
    int created = CreateRecording(window, WS_OVERLAPPEDWINDOW);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(1, created);
    // A top-level overlapped window is asked for its size limits before WM_NCCREATE.
    ASSERT_GE(hookedMessages.size(), 2u);
    EXPECT_EQ(static_cast<UINT>(WM_GETMINMAXINFO), hookedMessages[0]);
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.messages[0]);
}

TEST_F(WindowTest, WindowOfTheClassWithoutAnObjectGetsDefaultProcessing) {
    TestWindow owner;
    owner.RegisterWindowClass();
    HWND bare = CreateWindowExA(0, TestWindow::ClassName, "bare", WS_POPUP, 0, 0, WindowWidth, WindowHeight,
                                nullptr, nullptr, appInstance, nullptr);
    ASSERT_NE(nullptr, bare);
    EXPECT_EQ(0, GetWindowLongPtrA(bare, GWLP_USERDATA));
    EXPECT_EQ(4, SendMessageA(bare, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(DestroyWindow(bare));
}

TEST_F(WindowTest, BindingIsSetAtNcCreate) {
    RecordingWindow window;
    ASSERT_EQ(1, CreateRecording(window));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&window), GetWindowLongPtrA(window.hwnd, GWLP_USERDATA));
}

TEST_F(WindowTest, CreateOnALiveObjectCreatesNothing) {
    RecordingWindow window;
    ASSERT_EQ(1, CreateRecording(window));
    HWND first = window.hwnd;
    window.messages.clear();
    EXPECT_EQ(1, CreateRecording(window));
    EXPECT_EQ(first, window.hwnd);
    EXPECT_TRUE(window.messages.empty());
    ASSERT_EQ(1, window.Destroy());
    EXPECT_EQ(1, CreateRecording(window));
    EXPECT_NE(nullptr, window.hwnd);
}

TEST_F(WindowTest, BaseCloseDestroysAndClearsTheHandle) {
    TestWindow window;
    ASSERT_EQ(1, window.Create(nullptr, nullptr, "", 0, 0, WindowWidth, WindowHeight));
    HWND handle = window.hwnd;
    EXPECT_EQ(0, SendMessageA(handle, WM_CLOSE, 0, 0));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, window.hwnd);
}

TEST_F(WindowTest, DestroyOfAWindowGoneElsewhereFailsAndKeepsTheHandle) {
    TestWindow window;
    ASSERT_EQ(1, window.Create(nullptr, nullptr, "", 0, 0, WindowWidth, WindowHeight));
    HWND stale = window.hwnd;
    ASSERT_TRUE(DestroyWindow(stale));
    EXPECT_EQ(stale, window.hwnd);
    EXPECT_EQ(0, window.Destroy());
    EXPECT_EQ(stale, window.hwnd);
}

TEST_F(WindowTest, CreateWithoutAnOverrideReportsItAndFails) {
    struct Bare : public Window {
        int RegisterWindowClass() override { return 0; }
    } bare;
    std::string caption;
    bool saysMissingCreate = false;
    HWND owner = reinterpret_cast<HWND>(1);
    DialogAnswerer answerer([&](HWND box) {
        char buffer[64] = "";
        GetWindowTextA(box, buffer, sizeof(buffer));
        caption = buffer;
        saysMissingCreate = FindWindowExA(box, nullptr, "Static", "Missing Create") != nullptr;
        owner = GetWindow(box, GW_OWNER);
        DialogAnswerer::PostCommand(box, IDOK);
        return true;
    });
    EXPECT_EQ(0, bare.Create(nullptr, nullptr, "", 0, 0, WindowWidth, WindowHeight));
    EXPECT_FALSE(answerer.timedOut);
    EXPECT_EQ("App Error", caption);
    EXPECT_TRUE(saysMissingCreate);
    EXPECT_EQ(nullptr, owner);
    EXPECT_EQ(nullptr, bare.hwnd);
}

class NotifyingControl : public Control {
public:
    LRESULT OnNotify(NMHDR* header) override {
        received = header;
        return Answer;
    }
    NMHDR* received = nullptr;
};

TEST_F(WindowTest, NotifyGoesToTheSendersObjectOrToTheWindow) {
    RecordingWindow parent;
    ASSERT_EQ(1, CreateRecording(parent));
    NotifyingControl bound;
    bound.id = 901;
    bound.style = WS_CHILD;
    ASSERT_EQ(1, bound.CreateControlWindow("STATIC", parent.hwnd, "", 0, 0, 10, 10));
    HWND unbound = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent.hwnd, nullptr, appInstance,
                                   nullptr);
    ASSERT_NE(nullptr, unbound);

    const struct {
        HWND sender;
        LRESULT result;
        bool controlAnswers;
    } table[] = {
        {bound.hwnd, Answer, true},
        {unbound, 0, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.controlAnswers);
        NMHDR header = {row.sender, 0, 0};
        parent.calls.clear();
        bound.received = nullptr;
        EXPECT_EQ(row.result, SendMessageA(parent.hwnd, WM_NOTIFY, SampleWParam, reinterpret_cast<LPARAM>(&header)));
        EXPECT_EQ(row.controlAnswers ? &header : nullptr, bound.received);
        if (row.controlAnswers) {
            EXPECT_TRUE(parent.calls.empty());
        } else {
            ASSERT_EQ(1u, parent.calls.size());
            EXPECT_EQ("OnNotify", parent.calls[0].operation);
            EXPECT_EQ(SampleWParam, parent.calls[0].wParam);
            EXPECT_EQ(reinterpret_cast<LPARAM>(&header), parent.calls[0].lParam);
        }
    }
}

// A class of its own so that no other test has registered it first; the first attempt is made
// to fail to show that a failure leaves the flag clear.
class OnceWindow : public Window {
public:
    int RegisterWindowClass() override {
        WindowClassDescription description = {"FrameworkOnceWnd", CS_HREDRAW, nullptr, nullptr,
                                              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), appInstance};
        return RegisterFrameworkClass(this, &registered, description, callHook);
    }
    void PreRegisterClass(WNDCLASSA* windowClass) override {
        ++hookCalls;
        if (breakRecord) {
            windowClass->lpszClassName = TestWindow::ClassName;
        }
        windowClass->style |= CS_DBLCLKS;
    }
    bool callHook = true;
    bool breakRecord = false;
    int hookCalls = 0;
    static int registered;
};
int OnceWindow::registered = 0;

TEST_F(WindowTest, ClassIsRegisteredOnce) {
    const struct {
        bool callHook;
        bool breakRecord;
        int result;
        int flag;
        int hookCalls;
    } table[] = {
        {true, true, 0, 0, 1},
        {false, true, 1, 1, 1},
        {true, false, 0, 1, 1},
    };
    TestWindow taken;
    taken.RegisterWindowClass();
    OnceWindow window;
    for (const auto& row : table) {
        window.callHook = row.callHook;
        window.breakRecord = row.breakRecord;
        EXPECT_EQ(row.result, window.RegisterWindowClass());
        EXPECT_EQ(row.flag, OnceWindow::registered);
        EXPECT_EQ(row.hookCalls, window.hookCalls);
    }
    WNDCLASSA registered;
    ASSERT_TRUE(GetClassInfoA(appInstance, "FrameworkOnceWnd", &registered));
    EXPECT_EQ(4, registered.cbWndExtra);
    EXPECT_EQ(0, registered.cbClsExtra);
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW), registered.style);
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), registered.hbrBackground);
    EXPECT_EQ(nullptr, registered.lpszMenuName);
}

}  // namespace
