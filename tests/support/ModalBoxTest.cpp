#include "tests/support/ModalBoxTest.h"

#include "framework/AppInstance.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/WindowClasses.h"

HWND ModalBoxTest::owner;

void ModalBoxTest::SetUpTestSuite() {
    appInstance = GetModuleHandleA(nullptr);
    owner = CreateOwner();
}

void ModalBoxTest::TearDownTestSuite() {
    DestroyWindow(owner);
}

HWND ModalBoxTest::CreateOwner() {
    return CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 640, 480, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

int ModalBoxTest::RunWithSteps(const std::vector<Step>& steps, const std::function<int()>& runBox) {
    size_t next = 0;
    DialogAnswerer answerer([&steps, &next](HWND) {
        if (next < steps.size()) {
            steps[next++]();
        }
        return next == steps.size();
    }, MessageBoxClass);
    int result = runBox();
    timedOut = answerer.timedOut;
    return result;
}

void ModalBoxTest::ExpectClosedCleanly() const {
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(Box() != nullptr && IsWindow(Box()));
}
