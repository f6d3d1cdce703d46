#include "framework/Control.h"

#include "framework/AppInstance.h"

namespace {

const int FirstAutomaticControlId = 900;

}  // namespace

int nextControlId = FirstAutomaticControlId;
WNDPROC editClassProc = nullptr;
WNDPROC buttonClassProc = nullptr;

Control::Control() : id(0), callbackContext(nullptr), callback(nullptr) {
}

int Control::OnNotifyCode(int, LPARAM) {
    return 0;
}

LRESULT Control::OnNotify(NMHDR*) {
    return 0;
}

void Control::SetCallback(void* context, ControlCallback function) {
    callbackContext = context;
    callback = function;
}

LRESULT Control::SubclassProc(UINT, WPARAM, LPARAM) {
    return 0;
}

int Control::AllocateControlId() {
    id = nextControlId++;
    return id;
}

void Control::TakeId(HMENU menuOrId) {
    int requested = static_cast<int>(reinterpret_cast<INT_PTR>(menuOrId));
    if (requested == 0) {
        AllocateControlId();
    } else {
        id = requested;
    }
}

WNDPROC Control::SubclassKeeping(WNDPROC procedure, WNDPROC* classProc) {
    WNDPROC previous = SubclassWindow(hwnd, procedure != nullptr ? procedure : ControlSubclassProc);
    if (*classProc == nullptr) {
        *classProc = previous;
    }
    return previous;
}

int Control::NotifyCallback(int code, int wantedCode) {
    if (code == wantedCode && callback != nullptr) {
        callback(callbackContext, id);
        return 1;
    }
    return 0;
}

int Control::CreateControlWindow(const char* className, HWND parent, const char* text, int x, int y, int width,
                                 int height) {
    hwnd = GetDlgItem(parent, id);
    if (hwnd == nullptr) {
        hwnd = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, nullptr);
    }
    if (hwnd == nullptr) {
        return 0;
    }
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return 1;
}

LRESULT CALLBACK Control::ControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* object = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return object->SubclassProc(message, wParam, lParam);
}

WNDPROC SubclassWindow(HWND window, WNDPROC procedure) {
    if (!IsWindow(window) || procedure == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}
