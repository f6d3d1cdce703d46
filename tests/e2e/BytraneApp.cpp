#include "BytraneApp.h"

#include <shlobj.h>

#include <cstdlib>

#include "DumpReader.h"
#include "RemoteMemory.h"
#include "ScreenImage.h"
#include "WindowQuery.h"
#include "tests/support/UnixSide.h"
#include "tests/support/Waiting.h"
#include "tests/support/WideText.h"

namespace {

const char MainClass[] = "MainClass";
const char ViewClass[] = "BitBltWnd";
const char StatusClass[] = "msctls_statusbar32";
const char BytraneExeName[] = "Bytrane.exe";
// The longest path the system hands out, in UTF-16 units.
const DWORD LongestPath = 32768;
const int StartAttempts = 3;
const int ChordAttempts = 3;
const SHORT KeyDownBit = static_cast<SHORT>(0x8000);
const UINT TerminatedExitCode = 0xE2E;
const SIZE_T StatusTextBytes = 512;
const int SettleRounds = 3;
const int DescribedRows = 3;

LPARAM KeyLParam(UINT virtualKey, bool release) {
    LPARAM lParam = 1 | (MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC) << 16);
    if (release) {
        lParam |= 0xC0000000;
    }
    return lParam;
}

}  // namespace

std::string BytraneExePath() {
    // The build and the test archive put Bytrane.exe beside the test program; the environment may
    // name another copy (the one taken out of the release archive), under Wine perhaps as a host
    // path.
    const char* chosen = getenv("BYTRANE_EXE");
    if (chosen != nullptr && *chosen != '\0') {
        return harness::UnixSide::WindowsPathOf(chosen);
    }
    std::vector<wchar_t> path(LongestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), LongestPath);
    const std::wstring program(path.data(), length < LongestPath ? length : 0);
    return Utf8(program.substr(0, program.find_last_of(L'\\') + 1)) + BytraneExeName;
}

bool BytraneApp::KeyboardReachable() {
    // keybd_event feeds the input desktop; a service's session or a locked one has none, and the
    // keys then reach no window.
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (desktop == nullptr) {
        return false;
    }
    CloseDesktop(desktop);
    return true;
}

BytraneApp::BytraneApp(const std::string& arguments) {
    std::string commandLine = "\"" + BytraneExePath() + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    std::wstring wide = Wide(commandLine);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Wine now and then refused to create a process just after another was killed (seen once in
    // about 1,100 starts of the kill journey), so a refused start is tried again a moment later.
    for (int attempt = 0; !process.hProcess && attempt < StartAttempts; ++attempt) {
        if (attempt > 0) {
            Sleep(PollIntervalMs);
        }
        if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            startError = GetLastError();
            process = PROCESS_INFORMATION();
        }
    }
    if (!process.hProcess) {
        return;
    }
    WaitForInputIdle(process.hProcess, WaitLimitMs);
    WaitUntil([this] {
        std::vector<HWND> windows = WindowQuery::VisibleTopLevel(process.dwProcessId, MainClass);
        if (!windows.empty()) {
            main = windows.front();
        }
        return main != nullptr;
    });
    if (main) {
        view = FindWindowExA(main, nullptr, ViewClass, nullptr);
        statusBar = FindWindowExA(main, nullptr, StatusClass, nullptr);
        Settle();
    }
}

BytraneApp::~BytraneApp() {
    if (!process.hProcess) {
        return;
    }
    if (Running()) {
        TerminateProcess(process.hProcess, TerminatedExitCode);
        WaitForSingleObject(process.hProcess, WaitLimitMs);
    }
    dropBlocks.clear();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::string BytraneApp::Title() const {
    return main ? WindowQuery::StoredTextOf(main) : std::string();
}

std::string BytraneApp::StatusPart(int part) const {
    // The status window's texts live in the program's memory; SB_GETTEXTA needs its buffer there.
    RemoteMemory buffer(process.hProcess, StatusTextBytes);
    if (!statusBar || !buffer.Valid() || !buffer.Fill(0)) {
        return "<status bar unreadable>";
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.Address()),
                             SMTO_ABORTIFHUNG, WaitLimitMs, &result)) {
        return "<status bar not answering>";
    }
    return buffer.ReadString();
}

void BytraneApp::Command(WORD id) const {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void BytraneApp::Key(UINT virtualKey) const {
    PostMessageA(view, WM_KEYDOWN, virtualKey, KeyLParam(virtualKey, false));
    PostMessageA(view, WM_KEYUP, virtualKey, KeyLParam(virtualKey, true));
}

void BytraneApp::Wheel(short delta) const {
    RECT rect = {};
    GetWindowRect(view, &rect);
    const LPARAM screenPoint = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), screenPoint);
}

void BytraneApp::VScroll(WORD code) const {
    PostMessageA(view, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

void BytraneApp::DoubleClickCell(int column, int row) const {
    DumpReader font;
    const LPARAM point = MAKELPARAM(column * font.CellWidth() + font.CellWidth() / 2,
                                    row * font.CellHeight() + font.CellHeight() / 2);
    PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(view, WM_LBUTTONUP, 0, point);
    PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(view, WM_LBUTTONUP, 0, point);
}

bool BytraneApp::Drop(const std::vector<std::string>& paths) {
    // A drop handle is read by DragQueryFile in the receiving process, so the DROPFILES block
    // must be built in that process's memory; a handle from this process means nothing there.
    std::vector<BYTE> block(sizeof(DROPFILES), 0);
    DROPFILES* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    // As the shell sends it: the names in UTF-16, which an ANSI drop could not carry.
    header->fWide = TRUE;
    for (const std::string& path : paths) {
        std::wstring name = Wide(path);
        const BYTE* units = reinterpret_cast<const BYTE*>(name.c_str());
        block.insert(block.end(), units, units + (name.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);
    // The program may read the block whenever it gets to the message, so it lives as long as
    // the process does.
    dropBlocks.emplace_back(new RemoteMemory(process.hProcess, block.size()));
    RemoteMemory& remote = *dropBlocks.back();
    if (!remote.Valid() || !remote.Write(block.data(), block.size())) {
        return false;
    }
    return PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote.Address()), 0) != 0;
}

bool BytraneApp::BringToFront() const {
    // A request made while a closing dialog hands the activation back to its owner can be lost,
    // so it is made again until the main window is in front.
    return WaitUntil([this] {
        SetForegroundWindow(main);
        return GetForegroundWindow() == main;
    });
}

void BytraneApp::AltKey(BYTE letter) const {
    BringToFront();
    TypeKey(letter, true);
}

void BytraneApp::TypeKey(BYTE virtualKey, bool alt) const {
    if (!alt) {
        keybd_event(virtualKey, 0, 0, 0);
        keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
        return;
    }
    // A window that becomes active (a dialog gone, the window brought to the front) gets X's
    // KeymapNotify, on which Wine sets Alt, Ctrl and Shift to what X holds down. X never sees
    // keybd_event's keys, so when the program handles that event between Alt and the key, it lets
    // Alt go first: the program sees Alt tapped alone, which enters the menu bar, and then the key
    // alone. Settling first makes that rare; the chord is tried again when it happened.
    for (int attempt = 0; attempt < ChordAttempts; ++attempt) {
        Settle();
        keybd_event(VK_MENU, 0, 0, 0);
        keybd_event(virtualKey, 0, 0, 0);
        // The keyboard state is the system's, updated as each key is queued: Alt still down once
        // the key is queued means that anything done to Alt now comes after the key.
        const bool held = (GetAsyncKeyState(VK_MENU) & KeyDownBit) != 0;
        keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
        if (held) {
            return;
        }
        LeaveMenus();
    }
}

void BytraneApp::LeaveMenus() const {
    // Escape closes an open menu first and leaves the menu bar at the next press.
    WaitUntil([this] {
        Settle();
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(process.dwThreadId, &info) || !(info.flags & GUI_INMENUMODE)) {
            return true;
        }
        TypeKey(VK_ESCAPE);
        return false;
    });
}

void BytraneApp::Settle() const {
    // Sent messages are handled before posted ones, so one round trip is not enough. A further
    // one sent while the program is still taking its next message can be answered in that same
    // call, so even several rounds are not certain (seen: 1 save in about 30 not yet begun);
    // a step that must have happened is waited for by its effect.
    for (int round = 0; round < SettleRounds; ++round) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, WaitLimitMs, &result);
    }
}

HWND BytraneApp::WaitForWindow(const char* className, const char* caption) const {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : WindowQuery::VisibleTopLevel(process.dwProcessId, className)) {
            if (!caption || WindowQuery::TextOf(window) == caption) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

bool BytraneApp::HasWindow(const char* className) const {
    return !WindowQuery::VisibleTopLevel(process.dwProcessId, className).empty();
}

HWND BytraneApp::FocusWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

bool BytraneApp::WaitForExit() const {
    return process.hProcess && WaitForSingleObject(process.hProcess, WaitLimitMs) == WAIT_OBJECT_0;
}

bool BytraneApp::Running() const {
    return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD BytraneApp::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

std::string BytraneApp::Describe() const {
    if (!process.hProcess) {
        return "Bytrane did not start (error " + std::to_string(startError) + "): " + BytraneExePath();
    }
    if (!Running()) {
        return "Bytrane has exited with code " + std::to_string(ExitCode());
    }
    if (!main) {
        return "Bytrane runs but shows no main window";
    }
    std::string text = "title \"" + Title() + "\"; status";
    for (int part = 0; part < 3; ++part) {
        text += " [" + StatusPart(part) + "]";
    }
    text += "\n";
    for (HWND window : WindowQuery::VisibleTopLevel(process.dwProcessId, nullptr)) {
        if (window != main) {
            text += "window: " + WindowQuery::Describe(window) + "\n";
        }
    }
    DumpReader reader;
    ScreenImage image = ScreenImage::OfClientArea(view);
    for (int row = 0; row < DescribedRows; ++row) {
        text += "row " + std::to_string(row) + ": " + reader.Row(image, row) + "\n";
    }
    return text;
}
