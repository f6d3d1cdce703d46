#pragma once
#include "framework/WindowObject.h"

// A window of one of the program's own classes. The object's address lives in the window's
// GWL_USERDATA from WM_NCCREATE on (GWLP_USERDATA, the same slot, pointer-sized in a 64-bit
// build); every handled message is one virtual operation.
class Window : public WindowObject {
public:
    virtual void PreRegisterClass(WNDCLASSA* windowClass);
    virtual void PreCreateWindow(CREATESTRUCTA* create);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroyed();
    virtual int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int RegisterWindowClass() = 0;
    virtual int OnTerminate();
    virtual void OnChar(WPARAM wParam, LPARAM lParam);
    virtual void OnClose();
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnContextMenu(WPARAM wParam, LPARAM lParam);
    virtual int OnCreate();
    virtual LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy();
    // WM_DPICHANGED: the new DPI in wParam, the rectangle Windows suggests at lParam.
    virtual void OnDpiChanged(WPARAM wParam, LPARAM lParam);
    virtual void OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual void OnDropFiles(WPARAM wParam);
    virtual void OnEndSession(WPARAM wParam, LPARAM lParam);
    virtual void OnInitMenu();
    virtual void OnKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnKillFocus();
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual int OnMenuSelect(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    virtual void OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual LRESULT OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM wParam, LPARAM lParam);
    virtual void OnSysColorChange();
    virtual void OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(WPARAM timerId);
    virtual LRESULT OnVKeyToItem(WPARAM wParam);
    virtual void OnVScroll(WPARAM wParam, LPARAM lParam);

    // Creates the window of className with this object as creation parameter, unless the
    // object already has one. Returns 1 when hwnd is set afterwards.
    int CreateClassWindow(const char* className, HWND parent, HMENU menuOrId, const char* text,
                          int x, int y, int width, int height);
    // DestroyWindow; clears hwnd on success.
    int Destroy();
    // Sets the window's text exactly, in UTF-16. SetWindowTextW would hand it to this ANSI
    // window's procedure converted to the code page, losing every character outside it; the
    // default procedure's own WM_SETTEXT keeps it whole.
    void SetUnicodeText(const wchar_t* text);

    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The registration steps every concrete class shares: fills the class record with the
// framework's procedure and 4 window bytes, lets callHook decide whether PreRegisterClass
// sees it, and registers once per process through the class's own flag.
struct WindowClassDescription {
    const char* className;
    UINT classStyle;
    HICON icon;
    HCURSOR cursor;
    HBRUSH background;
    HINSTANCE instance;
};
int RegisterFrameworkClass(Window* window, int* registered, const WindowClassDescription& description,
                           bool callPreRegisterClass);
