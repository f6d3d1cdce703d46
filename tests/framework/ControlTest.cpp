#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/AppInstance.h"
#include "framework/ButtonControl.h"
#include "framework/EditControl.h"
#include "framework/StatusBar.h"
#include "tests/framework/TestDialogIds.h"
#include "tests/support/TestDialog.h"
#include "tests/support/TestWindow.h"

namespace {

// Captured during static initialisation, before any test has allocated an identifier.
const int initialNextControlId = nextControlId;

const int FieldWidth = 120;
const int FieldHeight = 24;
const int TextSize = 64;

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        appInstance = GetModuleHandleA(nullptr);
        ASSERT_EQ(1, parent.Create(nullptr, nullptr, "", 0, 0, 400, 300));
    }
    TestWindow parent;
};

std::string TextOf(HWND window) {
    char text[TextSize] = "";
    GetWindowTextA(window, text, TextSize);
    return text;
}

int CountChildren(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

TEST_F(ControlTest, AutomaticIdentifiersCountUpFrom900InCreationOrder) {
    EXPECT_EQ(900, initialNextControlId);
    int first = nextControlId;
    EditControl edit;
    ButtonControl button;
    EditControl second;
    WindowObject* controls[] = {&edit, &button, &second};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(1, controls[i]->Create(parent.hwnd, nullptr, "", 0, 0, FieldWidth, FieldHeight));
        EXPECT_EQ(first + i, GetDlgCtrlID(controls[i]->hwnd));
    }
    EXPECT_EQ(first, edit.id);
    EXPECT_EQ(first + 1, button.id);
    EXPECT_EQ(first + 2, second.id);

    StatusBar bar;
    ASSERT_EQ(1, bar.InitParts(1));
    bar.AddPart(0, 0);
    ASSERT_EQ(1, bar.CreateBar(parent.hwnd));
    EXPECT_EQ(first + 3, bar.id);
    EXPECT_EQ(first + 3, GetDlgCtrlID(bar.hwnd));
    EXPECT_EQ(0, GetWindowLongPtrA(bar.hwnd, GWLP_USERDATA));
}

TEST_F(ControlTest, GivenIdentifierIsUsedAndTheWindowBound) {
    const int given = 4321;
    int before = nextControlId;
    EditControl edit;
    ASSERT_EQ(1, edit.Create(parent.hwnd, reinterpret_cast<HMENU>(given), "text", 0, 0, FieldWidth, FieldHeight));
    EXPECT_EQ(before, nextControlId);
    EXPECT_EQ(given, GetDlgCtrlID(edit.hwnd));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&edit), GetWindowLongPtrA(edit.hwnd, GWLP_USERDATA));
    EXPECT_EQ("text", TextOf(edit.hwnd));
    EXPECT_EQ(static_cast<LONG>(0x503001C4), GetWindowLongA(edit.hwnd, GWL_STYLE) & 0x503001C4);
    EXPECT_TRUE(GetWindowLongA(edit.hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(ControlTest, DialogItemsAreAdoptedNotCreated) {
    EditControl edit;
    ButtonControl button;
    int edited = 0;
    int pressed = 0;
    int childrenBefore = 0;
    int childrenAfter = 0;
    HWND editItem = nullptr;
    HWND buttonItem = nullptr;
    std::string editText;
    std::string buttonText;
    TestDialog dialog;
    dialog.onInit = [&](HWND window) {
        editItem = GetDlgItem(window, IDC_TEST_EDIT);
        buttonItem = GetDlgItem(window, IDC_TEST_BUTTON);
        childrenBefore = CountChildren(window);
        edited = edit.Create(window, reinterpret_cast<HMENU>(IDC_TEST_EDIT), "new text", 0, 0, 1, 1);
        pressed = button.Create(window, reinterpret_cast<HMENU>(IDC_TEST_BUTTON), "&Go", 0, 0, 1, 1);
        childrenAfter = CountChildren(window);
        editText = TextOf(edit.hwnd);
        buttonText = TextOf(button.hwnd);
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&edit), GetWindowLongPtrA(editItem, GWLP_USERDATA));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&button), GetWindowLongPtrA(buttonItem, GWLP_USERDATA));
    };
    ASSERT_EQ(IDOK, dialog.Run(IDD_TEST_DIALOG));
    EXPECT_EQ(1, edited);
    EXPECT_EQ(1, pressed);
    EXPECT_EQ(editItem, edit.hwnd);
    EXPECT_EQ(buttonItem, button.hwnd);
    EXPECT_EQ(childrenBefore, childrenAfter);
    EXPECT_EQ("new text", editText);
    // A button keeps its template caption; only the mnemonic comes from the given text.
    EXPECT_EQ("Old caption", buttonText);
    EXPECT_EQ('G', button.mnemonic);
}

TEST_F(ControlTest, CreationWithoutAParentFailsUnbound) {
    EditControl edit;
    ButtonControl button;
    Control* controls[] = {&edit, &button};
    for (Control* control : controls) {
        EXPECT_EQ(0, control->Create(nullptr, nullptr, "x", 0, 0, FieldWidth, FieldHeight));
        EXPECT_EQ(nullptr, control->hwnd);
    }
}

TEST_F(ControlTest, ButtonMnemonicIsTheCharacterAfterTheFirstAmpersand) {
    const struct {
        const char* caption;
        char mnemonic;
    } table[] = {
        {"&Cancel", 'C'}, {"OK", 0}, {"Cancel&", 0}, {"Save &As", 'A'}, {"&a&b", 'a'}, {"", 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.caption);
        ButtonControl button;
        button.mnemonic = '?';
        ASSERT_EQ(1, button.Create(parent.hwnd, nullptr, row.caption, 0, 0, FieldWidth, FieldHeight));
        EXPECT_EQ(row.mnemonic, button.mnemonic);
        EXPECT_EQ(row.caption, TextOf(button.hwnd));
    }
}

LRESULT CALLBACK ForeignProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ControlTest, FirstSubclassingKeepsTheClassProcedure) {
    editClassProc = nullptr;
    EditControl first;
    EditControl second;
    ASSERT_EQ(1, first.Create(parent.hwnd, nullptr, "", 0, 0, FieldWidth, FieldHeight));
    ASSERT_EQ(1, second.Create(parent.hwnd, nullptr, "", 0, 0, FieldWidth, FieldHeight));
    // The second edit already carries another procedure, which must not replace the class's.
    WNDPROC classProc = SubclassWindow(second.hwnd, ForeignProcedure);
    ASSERT_NE(nullptr, classProc);

    EXPECT_EQ(classProc, first.Subclass(nullptr));
    EXPECT_EQ(classProc, editClassProc);
    EXPECT_EQ(ForeignProcedure, second.Subclass(nullptr));
    EXPECT_EQ(classProc, editClassProc);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Control::ControlSubclassProc), GetWindowLongPtrA(second.hwnd, GWLP_WNDPROC));
}

TEST_F(ControlTest, SubclassWindowNeedsAWindowAndAProcedure) {
    EditControl edit;
    ASSERT_EQ(1, edit.Create(parent.hwnd, nullptr, "", 0, 0, FieldWidth, FieldHeight));
    LONG_PTR before = GetWindowLongPtrA(edit.hwnd, GWLP_WNDPROC);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, parent.hwnd, nullptr, appInstance, nullptr);
    DestroyWindow(gone);
    const struct {
        HWND window;
        WNDPROC procedure;
    } table[] = {{nullptr, ForeignProcedure}, {gone, ForeignProcedure}, {edit.hwnd, nullptr}};
    for (const auto& row : table) {
        EXPECT_EQ(nullptr, SubclassWindow(row.window, row.procedure));
    }
    EXPECT_EQ(before, GetWindowLongPtrA(edit.hwnd, GWLP_WNDPROC));

    buttonClassProc = nullptr;
    ButtonControl unbuilt;
    EXPECT_EQ(nullptr, unbuilt.Subclass(nullptr));
    EXPECT_EQ(nullptr, buttonClassProc);
}

// Drops 'x' and hands everything else to the edit class, as the program's filtered fields do.
class DroppingEdit : public EditControl {
public:
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHAR && wParam == 'x') {
            ++dropped;
            return 0;
        }
        return CallWindowProcA(editClassProc, hwnd, message, wParam, lParam);
    }
    int dropped = 0;
};

TEST_F(ControlTest, SubclassedControlSendsItsMessagesToItsObject) {
    DroppingEdit edit;
    edit.style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    ASSERT_EQ(1, edit.Create(parent.hwnd, nullptr, "", 0, 0, FieldWidth, FieldHeight));
    edit.Subclass(nullptr);
    ASSERT_NE(nullptr, editClassProc);
    for (char typed : std::string("axbx")) {
        SendMessageA(edit.hwnd, WM_CHAR, static_cast<WPARAM>(typed), 0);
    }
    EXPECT_EQ("ab", TextOf(edit.hwnd));
    EXPECT_EQ(2, edit.dropped);
}

TEST_F(ControlTest, ButtonSubclassedOnCreateWhenAsked) {
    const struct {
        int subclassOnCreate;
        bool subclassed;
    } table[] = {{0, false}, {1, true}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.subclassOnCreate);
        buttonClassProc = nullptr;
        ButtonControl button(row.subclassOnCreate);
        ASSERT_EQ(1, button.Create(parent.hwnd, nullptr, "B", 0, 0, FieldWidth, FieldHeight));
        EXPECT_EQ(row.subclassed,
                  GetWindowLongPtrA(button.hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(Control::ControlSubclassProc));
        EXPECT_EQ(row.subclassed, buttonClassProc != nullptr);
    }
}

int callbackCalls;
int callbackId;
void* callbackContextSeen;

void CountCall(void* context, int id) {
    ++callbackCalls;
    callbackId = id;
    callbackContextSeen = context;
}

TEST_F(ControlTest, NotifyCodeCallsTheCallbackOnlyForTheKindsCode) {
    EditControl edit;
    ButtonControl button;
    edit.id = 11;
    button.id = 12;
    int context = 0;
    const struct {
        Control* control;
        int code;
        bool withCallback;
        int result;
    } table[] = {
        {&edit, EN_KILLFOCUS, true, 1},  {&edit, EN_KILLFOCUS, false, 0}, {&edit, BN_CLICKED, true, 0},
        {&edit, EN_CHANGE, true, 0},     {&button, BN_CLICKED, true, 1},  {&button, BN_CLICKED, false, 0},
        {&button, EN_KILLFOCUS, true, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.code);
        callbackCalls = 0;
        row.control->SetCallback(&context, row.withCallback ? CountCall : nullptr);
        EXPECT_EQ(row.result, row.control->OnNotifyCode(row.code, 0));
        EXPECT_EQ(row.result, callbackCalls);
        if (row.result == 1) {
            EXPECT_EQ(row.control->id, callbackId);
            EXPECT_EQ(&context, callbackContextSeen);
        }
    }
}

TEST_F(ControlTest, SelectTextSelectsTheGivenRange) {
    EditControl edit;
    ASSERT_EQ(1, edit.Create(parent.hwnd, nullptr, "abcdef", 0, 0, FieldWidth, FieldHeight));
    const struct {
        int start, end;
        DWORD selStart, selEnd;
    } table[] = {{0, -1, 0, 6}, {2, 4, 2, 4}, {1, 1, 1, 1}};
    for (const auto& row : table) {
        edit.SelectText(row.start, row.end, 0);
        DWORD selStart = 0;
        DWORD selEnd = 0;
        SendMessageA(edit.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        EXPECT_EQ(row.selStart, selStart);
        EXPECT_EQ(row.selEnd, selEnd);
    }
}

}  // namespace
