#pragma once
#include "framework/WindowObject.h"

typedef void (*ControlCallback)(void* context, int id);

// A child window of a system class (EDIT, BUTTON, status window) bound to its object through
// GWL_USERDATA; it keeps the system's class procedure unless subclassed.
class Control : public WindowObject {
public:
    Control();
    virtual int OnNotifyCode(int code, LPARAM value);
    virtual LRESULT OnNotify(NMHDR* header);
    virtual void SetCallback(void* context, ControlCallback function);
    virtual LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam);

    int AllocateControlId();
    // Takes the creator's id, or the next automatic one when it passes 0.
    void TakeId(HMENU menuOrId);
    // Subclasses the window (ControlSubclassProc when procedure is null); the first previous
    // procedure of the kind is kept in *classProc. Returns the previous procedure.
    WNDPROC SubclassKeeping(WNDPROC procedure, WNDPROC* classProc);
    // Calls the callback for the one notification code a kind listens to; 1 when it did.
    int NotifyCallback(int code, int wantedCode);
    // Adopts the parent's dialog item with this id, or creates the window; binds it.
    int CreateControlWindow(const char* className, HWND parent, const char* text,
                            int x, int y, int width, int height);

    int id;
    void* callbackContext;
    ControlCallback callback;

    static LRESULT CALLBACK ControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

extern int nextControlId;
extern WNDPROC editClassProc;
extern WNDPROC buttonClassProc;

// SetWindowLongPtrA(GWLP_WNDPROC) when the window exists and a procedure is given; returns the
// previous procedure, or 0 with nothing changed.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure);
