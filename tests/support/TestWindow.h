#pragma once
#include "framework/Window.h"

// A concrete framework window for tests, of its own class registered once per process.
// Create registers the class and creates the window with `style` (a visible popup unless the
// test changes it); OnCreate answers createResult. Creating sets appInstance to this module when
// it is still null. The destructor destroys a window that is still alive, so each test leaves
// none behind; derive from it to record or answer messages.
class TestWindow : public Window {
public:
    explicit TestWindow(int createResult = 1);
    ~TestWindow() override;
    int RegisterWindowClass() override;
    int Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) override;
    int OnCreate() override;

    int createResult;

    static const char ClassName[];
    static int registered;
};
