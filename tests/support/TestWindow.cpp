#include "tests/support/TestWindow.h"

#include "framework/AppInstance.h"

const char TestWindow::ClassName[] = "FrameworkTestWnd";
int TestWindow::registered = 0;

TestWindow::TestWindow(int createResult) : createResult(createResult) {
    style = WS_POPUP | WS_VISIBLE;
}

TestWindow::~TestWindow() {
    if (hwnd != nullptr && IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
}

int TestWindow::RegisterWindowClass() {
    WindowClassDescription description = {ClassName, 0, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), appInstance};
    return RegisterFrameworkClass(this, &registered, description, true);
}

int TestWindow::Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) {
    if (appInstance == nullptr) {
        appInstance = GetModuleHandleA(nullptr);
    }
    RegisterWindowClass();
    return CreateClassWindow(ClassName, parent, menuOrId, text, x, y, width, height);
}

int TestWindow::OnCreate() {
    return createResult;
}
