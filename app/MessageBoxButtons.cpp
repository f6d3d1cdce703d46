#include "app/MessageBoxButtons.h"

int buttonCount = 0;
int focusIndex = 0;
WNDPROC originalButtonProc = nullptr;

namespace {

void SendChoice(HWND button, int index) {
    SendMessageA(GetParent(button), WM_COMMAND, static_cast<WPARAM>(messageBoxButtons[index].id), 0);
}

void MoveFocus(int index) {
    focusIndex = index;
    SetFocus(messageBoxButtons[index].hwnd);
}

}  // namespace

LRESULT CALLBACK ButtonKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND focus = GetFocus();
    for (int i = 0; i < buttonCount; ++i) {
        if (focus != nullptr && messageBoxButtons[i].hwnd == focus) {
            focusIndex = i;
        }
    }
    if (message == WM_KEYDOWN && buttonCount > 0) {
        switch (wParam) {
        case VK_TAB:
        case VK_RIGHT:
            MoveFocus((focusIndex + 1) % buttonCount);
            break;
        case VK_LEFT:
            MoveFocus(focusIndex > 0 ? focusIndex - 1 : buttonCount - 1);
            break;
        case VK_RETURN:
            SendChoice(window, focusIndex);
            break;
        default:
            for (int i = 0; i < buttonCount; ++i) {
                if (messageBoxButtons[i].mnemonic != 0 &&
                    wParam == static_cast<unsigned char>(messageBoxButtons[i].mnemonic)) {
                    SendChoice(window, i);
                    break;
                }
            }
            break;
        }
    }
    if (originalButtonProc == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return CallWindowProcA(originalButtonProc, window, message, wParam, lParam);
}
