#include "tests/support/ProgramHarness.h"

#include <commctrl.h>

#include "app/Globals.h"
#include "app/ProgramWindows.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WideText.h"

namespace harness {

namespace {

const int TextBufferSize = 512;

}  // namespace

void StartProgramWindows() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    CreateProgramWindows(GetModuleHandleA(nullptr), SW_SHOW);
    PumpMessages();
}

bool LoadDocument(const std::string& bytes, int rows) {
    ScratchFolder folder;
    if (!hexView.LoadFile(Wide(folder.Write("document", bytes)).c_str()) ||
        hexView.fileSize != static_cast<int>(bytes.size())) {
        return false;
    }
    SizeViewToRows(rows);
    PumpMessages();
    return hexView.pageRows == rows;
}

void SizeViewToRows(int rows) {
    RECT outer;
    RECT inner;
    GetWindowRect(hexView.hwnd, &outer);
    GetClientRect(hexView.hwnd, &inner);
    int frame = (outer.bottom - outer.top) - inner.bottom;
    MoveWindow(hexView.hwnd, 0, 0, outer.right - outer.left, rows * hexView.lineHeight + frame, TRUE);
}

std::string StatusPartText(int part) {
    char text[TextBufferSize] = "";
    LRESULT length = SendMessageA(statusBar.hwnd, SB_GETTEXTLENGTHA, part, 0);
    if (LOWORD(length) >= sizeof text) {
        return "(too long)";
    }
    SendMessageA(statusBar.hwnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string WindowText(HWND window) {
    char text[TextBufferSize] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string StoredText(HWND window) {
    wchar_t text[TextBufferSize] = L"";
    InternalGetWindowText(window, text, TextBufferSize);
    return Utf8(text);
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::string FileSizeText() {
    std::string saved = StatusPartText(0);
    mainWindow.SetStatusMessage(FileSize, static_cast<DWORD>(hexView.fileSize));
    std::string text = StatusPartText(0);
    statusBar.SetPartText(0, saved.c_str());
    return text;
}

std::string Bytes(int size, int seed) {
    std::string bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 13 + seed) & 0xFF);
    }
    return bytes;
}

std::string DocumentBytes() {
    return std::string(reinterpret_cast<const char*>(hexView.document.data), hexView.fileSize);
}

BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

HGLOBAL WINAPI NoFreeBlock(UINT, SIZE_T) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

}  // namespace harness
