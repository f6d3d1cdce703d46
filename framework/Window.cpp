#include "framework/Window.h"

#include "framework/AppInstance.h"
#include "framework/Control.h"
#include "framework/DisplayScale.h"
#include "framework/PaintScope.h"

namespace {

const int FrameworkWindowExtraBytes = 4;

WindowObject* BoundObject(HWND window) {
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

int RegisterFrameworkClass(Window* window, int* registered, const WindowClassDescription& description,
                           bool callPreRegisterClass) {
    if (*registered) {
        return 0;
    }
    WNDCLASSA windowClass;
    windowClass.style = description.classStyle;
    windowClass.lpfnWndProc = Window::StaticWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = FrameworkWindowExtraBytes;
    windowClass.hInstance = description.instance;
    windowClass.hIcon = description.icon;
    windowClass.hCursor = description.cursor;
    windowClass.hbrBackground = description.background;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = description.className;
    if (callPreRegisterClass) {
        window->PreRegisterClass(&windowClass);
    }
    if (!RegisterClassA(&windowClass)) {
        return 0;
    }
    *registered = 1;
    return 1;
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        Window* object = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object != nullptr) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            object->hwnd = window;
        }
    }
    Window* object = static_cast<Window*>(BoundObject(window));
    if (object != nullptr) {
        return object->WindowProc(message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR: OnChar(wParam, lParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_CONTEXTMENU: OnContextMenu(wParam, lParam); return 0;
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_CTLCOLORLISTBOX: return OnCtlColorListBox(wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        OnTerminate();
        OnDestroyed();
        return 0;
    case DpiChangedMessage: OnDpiChanged(wParam, lParam); return 0;
    case WM_DRAWITEM: OnDrawItem(wParam, lParam); return 1;
    case WM_DROPFILES: OnDropFiles(wParam); return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        if (wParam) {
            OnTerminate();
        }
        return 0;
    case WM_INITMENU: OnInitMenu(); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_KEYUP: OnKeyUp(wParam, lParam); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 0;
    case WM_MENUSELECT: OnMenuSelect(wParam, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); return 0;
    case WM_NOTIFY: {
        HWND sender = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        WindowObject* control = BoundObject(sender);
        if (control != nullptr) {
            return static_cast<Control*>(control)->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        }
        OnNotify(wParam, lParam);
        return 0;
    }
    case WM_PAINT: OnPaint(); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 0;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_SIZE: OnSize(wParam, lParam); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    // The default procedure turns Alt+F4, F10, Alt and Alt+Space into the close command and the
    // menus, whichever window of the frame has the focus.
    case WM_SYSKEYDOWN:
        OnSysKeyDown(wParam, lParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_SYSKEYUP:
        OnSysKeyUp(wParam, lParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_VKEYTOITEM: return OnVKeyToItem(wParam);
    case WM_VSCROLL: OnVScroll(wParam, lParam); return 0;
    default:
        if (OnOtherMessage(message, wParam, lParam)) {
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int Window::CreateClassWindow(const char* className, HWND parent, HMENU menuOrId, const char* text, int x, int y,
                              int width, int height) {
    if (hwnd == nullptr) {
        hwnd = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menuOrId, appInstance,
                               this);
    }
    return hwnd != nullptr ? 1 : 0;
}

void Window::SetUnicodeText(const wchar_t* text) {
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int Window::Destroy() {
    if (!DestroyWindow(hwnd)) {
        return 0;
    }
    hwnd = nullptr;
    return 1;
}

void Window::PreRegisterClass(WNDCLASSA*) {}
void Window::PreCreateWindow(CREATESTRUCTA*) {}
void Window::OnDestroyed() {}
int Window::OnOtherMessage(UINT, WPARAM, LPARAM) { return 0; }
int Window::OnTerminate() { return 0; }
void Window::OnChar(WPARAM, LPARAM) {}
void Window::OnClose() { Destroy(); }
void Window::OnCommand(WPARAM, LPARAM) {}
void Window::OnContextMenu(WPARAM, LPARAM) {}
int Window::OnCreate() { return 0; }
LRESULT Window::OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
void Window::OnDestroy() {}
void Window::OnDpiChanged(WPARAM, LPARAM) {}
void Window::OnDrawItem(WPARAM, LPARAM) {}
void Window::OnDropFiles(WPARAM) {}
void Window::OnEndSession(WPARAM, LPARAM) {}
void Window::OnInitMenu() {}
void Window::OnKeyDown(WPARAM, LPARAM) {}
void Window::OnKeyUp(WPARAM, LPARAM) {}
void Window::OnKillFocus() {}
void Window::OnLButtonDblClk(WPARAM, LPARAM) {}
void Window::OnLButtonDown(WPARAM, LPARAM) {}
void Window::OnLButtonUp(WPARAM, LPARAM) {}
int Window::OnMenuSelect(WPARAM, LPARAM) { return 0; }
void Window::OnMouseMove(WPARAM, LPARAM) {}
void Window::OnMouseWheel(WPARAM, LPARAM) {}
void Window::OnNotify(WPARAM, LPARAM) {}
void Window::OnPaint() {
    PaintScope paint(hwnd);
}
LRESULT Window::OnQueryEndSession() { return 1; }
void Window::OnRButtonDown(WPARAM, LPARAM) {}
void Window::OnRButtonUp(WPARAM, LPARAM) {}
void Window::OnSetFocus() {}
void Window::OnSize(WPARAM, LPARAM) {}
void Window::OnSysColorChange() {}
void Window::OnSysKeyDown(WPARAM, LPARAM) {}
void Window::OnSysKeyUp(WPARAM, LPARAM) {}
void Window::OnTimer(WPARAM) {}
LRESULT Window::OnVKeyToItem(WPARAM) { return -1; }
void Window::OnVScroll(WPARAM, LPARAM) {}
