#include "WindowQuery.h"

#include "tests/support/Waiting.h"
#include "tests/support/WideText.h"

namespace {

const int TextBufferSize = 1024;
const int ClassBufferSize = 128;

struct TopLevelSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    TopLevelSearch* search = reinterpret_cast<TopLevelSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        (!search->className || WindowQuery::ClassOf(window) == search->className)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowQuery::VisibleTopLevel(DWORD processId, const char* className) {
    TopLevelSearch search = {processId, className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> WindowQuery::Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND WindowQuery::ChildByText(HWND parent, const char* className, const char* text) {
    for (HWND child : Children(parent)) {
        if (lstrcmpiA(ClassOf(child).c_str(), className) == 0 && TextOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

std::string WindowQuery::ClassOf(HWND window) {
    char name[ClassBufferSize] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowQuery::TextOf(HWND window) {
    char text[TextBufferSize] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, WaitLimitMs, &copied)) {
        GetWindowTextA(window, text, sizeof text);
    }
    return text;
}

std::string WindowQuery::StoredTextOf(HWND window) {
    wchar_t text[TextBufferSize] = L"";
    GetWindowTextW(window, text, TextBufferSize);
    return Utf8(text);
}

std::string WindowQuery::Describe(HWND window) {
    std::string description = ClassOf(window) + " \"" + TextOf(window) + "\"";
    std::vector<HWND> children = Children(window);
    if (!children.empty()) {
        description += " {";
        for (HWND child : children) {
            description += " " + ClassOf(child) + " " + std::to_string(GetDlgCtrlID(child)) + " \"" +
                           TextOf(child) + "\"";
        }
        description += " }";
    }
    return description;
}
