#include "framework/DropFilter.h"

namespace {

// The shell hands a drop over with this message as well; the headers give it no name.
const UINT CopyGlobalData = 0x0049;
const UINT DropMessages[] = {WM_DROPFILES, WM_COPYDATA, CopyGlobalData};
// MSGFLT_ALLOW: the headers declare the per-window filter for Windows 7 and later only.
const DWORD AllowMessage = 1;

// Windows 7 brought the per-window filter; the program also runs on Vista, so it is looked up at
// run time.
typedef BOOL(WINAPI* ChangeWindowMessageFilterExFunction)(HWND window, UINT message, DWORD action, void* status);

}  // namespace

int AllowFileDrops(HWND window) {
    ChangeWindowMessageFilterExFunction changeFilter = reinterpret_cast<ChangeWindowMessageFilterExFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
    if (changeFilter == nullptr) {
        return 0;
    }
    int allowed = 0;
    for (UINT message : DropMessages) {
        if (changeFilter(window, message, AllowMessage, nullptr)) {
            ++allowed;
        }
    }
    return allowed;
}
