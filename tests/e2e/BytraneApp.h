#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// One running Bytrane.exe, driven from outside through the messages its input would produce.
// A process still running when the object goes away is terminated, so a failed journey
// never leaves a program behind for the next one.
class RemoteMemory;

class BytraneApp {
public:
    // arguments: the command line after the program's quoted path, exactly as typed.
    explicit BytraneApp(const std::string& arguments);
    ~BytraneApp();
    BytraneApp(const BytraneApp&) = delete;
    BytraneApp& operator=(const BytraneApp&) = delete;

    bool Started() const { return main != nullptr; }
    HANDLE Process() const { return process.hProcess; }
    DWORD ProcessId() const { return process.dwProcessId; }
    HWND Main() const { return main; }
    HWND View() const { return view; }

    std::string Title() const;
    std::string StatusPart(int part) const;

    void Command(WORD id) const;
    void Key(UINT virtualKey) const;
    void Wheel(short delta) const;
    void VScroll(WORD code) const;
    void DoubleClickCell(int column, int row) const;
    bool Drop(const std::vector<std::string>& paths);
    // Whether keys typed through the system's input queue can reach a window in this session.
    static bool KeyboardReachable();
    // Puts the main window in the foreground, for real keyboard input; false when it stays behind.
    bool BringToFront() const;
    // Alt plus a letter as real keyboard input, which needs the main window in the foreground.
    void AltKey(BYTE letter) const;
    // A key typed on the keyboard, reaching whichever window of the foreground has the focus.
    void TypeKey(BYTE virtualKey, bool alt = false) const;

    // Returns once the program has, most likely, handled everything posted to it so far.
    void Settle() const;
    // A visible top-level window of this process with the class and, when given, the caption.
    HWND WaitForWindow(const char* className, const char* caption) const;
    bool HasWindow(const char* className) const;
    // The window that has the keyboard focus in the program's thread.
    HWND FocusWindow() const;
    bool WaitForExit() const;
    bool Running() const;
    DWORD ExitCode() const;

    // What the user would see: title, status texts, the other windows, the top dump rows.
    std::string Describe() const;

private:
    // Closes the program's menus and leaves its menu bar, as Escape does.
    void LeaveMenus() const;

    PROCESS_INFORMATION process = {};
    DWORD startError = 0;
    HWND main = nullptr;
    HWND view = nullptr;
    HWND statusBar = nullptr;
    std::vector<std::unique_ptr<RemoteMemory>> dropBlocks;
};

std::string BytraneExePath();
