#include "tests/support/ProgramHarness.h"

#include <commctrl.h>

#include "app/Globals.h"
#include "app/ProgramWindows.h"
#include "search/DialogIds.h"
#include "tests/support/MessagePump.h"

namespace harness {

namespace {

const UINT TickMilliseconds = 30;
const int GraceTicks = 40;
const int TextBufferSize = 512;
const char DialogClassName[] = "#32770";
const char BoxClassName[] = "CMSGCLASS";

struct Found {
    const char* className;
    HWND window;
};

BOOL CALLBACK FindOfClass(HWND candidate, LPARAM param) {
    Found* found = reinterpret_cast<Found*>(param);
    char name[TextBufferSize] = "";
    GetClassNameA(candidate, name, sizeof name);
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate) && lstrcmpA(name, found->className) == 0) {
        found->window = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND ThreadWindowOfClass(const char* className) {
    Found found = {className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOfClass, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
    char name[TextBufferSize] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

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
    if (!hexView.LoadFile(folder.Write("document", bytes).c_str()) ||
        hexView.fileSize != static_cast<int>(bytes.size())) {
        return false;
    }
    RECT outer;
    RECT inner;
    GetWindowRect(hexView.hwnd, &outer);
    GetClientRect(hexView.hwnd, &inner);
    int frame = (outer.bottom - outer.top) - inner.bottom;
    MoveWindow(hexView.hwnd, 0, 0, outer.right - outer.left, rows * hexView.lineHeight + frame, TRUE);
    PumpMessages();
    return hexView.pageRows == rows;
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

ScriptedUser* ScriptedUser::active_ = nullptr;

ScriptedUser::ScriptedUser()
    : dialogsSeen(0), leftOpen(0), next_(0), dialog_(nullptr), idleTicks_(0),
      timer_(SetTimer(nullptr, 0, TickMilliseconds, OnTick)) {
    active_ = this;
}

ScriptedUser::~ScriptedUser() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

ScriptedUser& ScriptedUser::Then(Step step) {
    steps_.push_back(step);
    return *this;
}

ScriptedUser& ScriptedUser::Type(const std::string& text) {
    for (char ch : text) {
        Then([ch](HWND dialog) {
            PostMessageA(GetDlgItem(dialog, IDC_EDIT_FIELD), WM_CHAR, static_cast<BYTE>(ch), 1);
        });
    }
    return *this;
}

ScriptedUser& ScriptedUser::Click(int id) {
    return Then([id](HWND dialog) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); });
}

ScriptedUser& ScriptedUser::SetCheck(int id, bool checked) {
    return Then([id, checked](HWND dialog) {
        if ((IsDlgButtonChecked(dialog, id) == BST_CHECKED) != checked) {
            SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        }
    });
}

ScriptedUser& ScriptedUser::Look() {
    return Then([this](HWND dialog) {
        fieldTexts.push_back(ItemText(dialog, IDC_EDIT_FIELD));
        captions.push_back(WindowText(dialog));
    });
}

void CALLBACK ScriptedUser::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) {
        active_->Tick();
    }
}

bool ScriptedUser::AnswerBox() {
    HWND box = ThreadWindowOfClass(BoxClassName);
    if (box == nullptr || !msgWindow.running) {
        return false;
    }
    boxTexts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
    boxCaptions.push_back(WindowText(box));
    HWND button = nullptr;
    EnumChildWindows(box, FindButton, reinterpret_cast<LPARAM>(&button));
    if (button != nullptr) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
    }
    return true;
}

void ScriptedUser::Tick() {
    if (AnswerBox()) {
        return;
    }
    HWND dialog = ThreadWindowOfClass(DialogClassName);
    if (dialog == nullptr) {
        return;
    }
    if (dialog != dialog_) {
        dialog_ = dialog;
        ++dialogsSeen;
    }
    if (next_ < steps_.size()) {
        steps_[next_++](dialog);
        idleTicks_ = 0;
        return;
    }
    if (++idleTicks_ > GraceTicks) {
        ++leftOpen;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        idleTicks_ = 0;
    }
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

BoxCatcher::BoxCatcher()
    : answerer_(
          [this](HWND) {
              texts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
              captions.push_back(msgWindow.caption != nullptr ? msgWindow.caption : "");
              PostMessageA(msgWindow.hwnd, WM_CLOSE, 0, 0);
              return true;
          },
          BoxClassName) {
}

}  // namespace harness
