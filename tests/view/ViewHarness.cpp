#include "ViewHarness.h"

#include <commctrl.h>

#include "app/Globals.h"
#include "framework/AppInstance.h"

namespace viewtest {

namespace {

const int StatusPartCount = 3;
const int FixedPartWidth = 20;
const DWORD ViewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL;
const UINT TickMilliseconds = 50;
const int LargestHandleValue = 0xFFFF;
const int FileNameFieldId = 0x47C;  // Wine's Explorer-style dialog names its file field so
const char DialogClassName[] = "#32770";
const int TextBufferSize = 512;

}  // namespace

void StartProgramWindows() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    appInstance = GetModuleHandleA(nullptr);
    statusBar.InitParts(StatusPartCount);
    statusBar.AddPart(0, 0);
    statusBar.AddPart(FixedPartWidth, 0);
    statusBar.AddPart(FixedPartWidth, 0);
    hexView.style = ViewStyle;
    mainWindow.Initialize(&hexView, &statusBar);
    mainWindow.Show(SW_SHOW);
    PumpMessages();
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
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

int CountGdiObjects() {
    int count = 0;
    for (int value = 1; value <= LargestHandleValue; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(value))) != 0) {
            ++count;
        }
    }
    return count;
}

ScratchFolder::ScratchFolder() {
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof base, base);
    static int sequence = 0;
    folder_ = std::string(base) + "bytrane view " + std::to_string(GetCurrentProcessId()) + " " +
              std::to_string(++sequence);
    CreateDirectoryA(folder_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& name : FileNames()) {
        std::string path = Path(name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
}

std::string ScratchFolder::Path(const std::string& name) const {
    return folder_ + "\\" + name;
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::string path = Path(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        if (!bytes.empty()) {
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
        CloseHandle(file);
    }
    return path;
}

std::string ScratchFolder::WriteSized(const std::string& name, LONG high, LONG low) const {
    std::string path = Path(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    SetLastError(NO_ERROR);
    DWORD moved = SetFilePointer(file, low, &high, FILE_BEGIN);
    bool sized = !(moved == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) && SetEndOfFile(file);
    CloseHandle(file);
    return sized ? path : std::string();
}

std::string ScratchFolder::Read(const std::string& name) const {
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "(missing)";
    }
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> ScratchFolder::FileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(entry.cFileName);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return names;
}

BoxCatcher* BoxCatcher::active_ = nullptr;

BoxCatcher::BoxCatcher() : timer_(SetTimer(nullptr, 0, TickMilliseconds, OnTick)) {
    active_ = this;
}

BoxCatcher::~BoxCatcher() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

void CALLBACK BoxCatcher::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ == nullptr || !msgWindow.running || msgWindow.hwnd == nullptr || !IsWindow(msgWindow.hwnd)) {
        return;
    }
    active_->texts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
    active_->captions.push_back(msgWindow.caption != nullptr ? msgWindow.caption : "");
    PostMessageA(msgWindow.hwnd, WM_CLOSE, 0, 0);
}

FileDialogAnswerer* FileDialogAnswerer::active_ = nullptr;

FileDialogAnswerer::FileDialogAnswerer(const std::string& path)
    : answered(false), path_(path), timer_(SetTimer(nullptr, 0, TickMilliseconds, OnTick)) {
    active_ = this;
}

FileDialogAnswerer::~FileDialogAnswerer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

BOOL CALLBACK FileDialogAnswerer::FindDialog(HWND window, LPARAM found) {
    char className[TextBufferSize] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, DialogClassName) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK FileDialogAnswerer::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ == nullptr || active_->answered) {
        return;
    }
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        return;
    }
    active_->answered = true;
    if (active_->path_.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetWindowTextA(GetDlgItem(dialog, FileNameFieldId), active_->path_.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace viewtest
