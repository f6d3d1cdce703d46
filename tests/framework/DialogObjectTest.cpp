#include <windows.h>

#include <gtest/gtest.h>

#include "framework/AppInstance.h"
#include "tests/framework/TestDialogIds.h"
#include "tests/support/TestDialog.h"

namespace {

class DialogObjectTest : public ::testing::Test {
protected:
    void SetUp() override { appInstance = GetModuleHandleA(nullptr); }
};

TEST_F(DialogObjectTest, BoundDialogSeesItsObjectFromInitDialogOnAndReturnsTheEndValue) {
    const INT_PTR endValues[] = {1, 0, 7};
    TestDialog dialog;
    for (INT_PTR endValue : endValues) {
        SCOPED_TRACE(endValue);
        dialog.seen.clear();
        dialog.endValue = endValue;
        EXPECT_EQ(endValue, dialog.Run(IDD_TEST_DIALOG));
        ASSERT_GE(dialog.seen.size(), 2u);
        // The template asks for a font, so WM_SETFONT came first; it must not have reached us.
        EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.seen[0].message);
        EXPECT_EQ(reinterpret_cast<LPARAM>(&dialog), dialog.seen[0].lParam);
        bool sawCommand = false;
        for (const TestDialog::Seen& seen : dialog.seen) {
            EXPECT_EQ(dialog.hwnd, seen.dialog);
            EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), seen.boundObject);
            sawCommand = sawCommand || seen.message == WM_COMMAND;
        }
        EXPECT_TRUE(sawCommand);
        EXPECT_FALSE(IsWindow(dialog.hwnd));
    }
}

TEST_F(DialogObjectTest, MissingTemplateGivesMinusOneWithoutCallingTheObject) {
    TestDialog dialog;
    EXPECT_EQ(-1, dialog.Run(IDD_MISSING_DIALOG));
    EXPECT_TRUE(dialog.seen.empty());
    EXPECT_EQ(nullptr, dialog.hwnd);
}

TEST_F(DialogObjectTest, DialogRunWithoutAnObjectStaysUnbound) {
    struct Closer {
        static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_INITDIALOG) {
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
            if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
                EndDialog(dialog, GetWindowLongPtrA(dialog, DWLP_USER) == 0 ? IDOK : IDCANCEL);
                return TRUE;
            }
            return DialogObject::StaticDialogProc(dialog, message, wParam, lParam);
        }
    };
    EXPECT_EQ(IDOK, DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr, Closer::Procedure, 0));
}

}  // namespace
