#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Reads windows that belong to another process. Texts go through WM_GETTEXT, which the window
// system copies across processes, because the cached title of a control can be stale.
class WindowQuery {
public:
    static std::vector<HWND> VisibleTopLevel(DWORD processId, const char* className);
    static std::vector<HWND> Children(HWND parent);
    static HWND ChildByText(HWND parent, const char* className, const char* text);
    static std::string ClassOf(HWND window);
    static std::string TextOf(HWND window);
    // A top-level window's text as the system keeps it, in UTF-8: from another process
    // GetWindowTextW reads it without the owner's ANSI window procedure converting it.
    static std::string StoredTextOf(HWND window);
    static std::string Describe(HWND window);
};
