#include "tests/support/UnixSide.h"

#include <windows.h>

#include "tests/support/ScratchFolder.h"
#include "tests/support/Waiting.h"
#include "tests/support/WideText.h"

namespace harness {

namespace {

// Wine's own exports: the host path of a Windows path and the Windows path of a host path, each
// in a block of the process heap.
typedef char*(CDECL* UnixFileNameFunction)(LPCWSTR path);
typedef WCHAR*(CDECL* DosFileNameFunction)(LPCSTR path);

FARPROC WineExport(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    return loaded != nullptr ? GetProcAddress(loaded, name) : nullptr;
}

UnixFileNameFunction UnixFileName() {
    return reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(WineExport("kernel32.dll", "wine_get_unix_file_name")));
}

}  // namespace

bool UnixSide::Present() {
    return WineExport("ntdll.dll", "wine_get_version") != nullptr;
}

std::string UnixSide::WindowsPathOf(const std::string& path) {
    DosFileNameFunction dosFileName = reinterpret_cast<DosFileNameFunction>(
        reinterpret_cast<void*>(WineExport("kernel32.dll", "wine_get_dos_file_name")));
    if (!Present() || dosFileName == nullptr || path.empty() || path[0] != '/') {
        return path;
    }
    WCHAR* windowsPath = dosFileName(path.c_str());
    std::string result = windowsPath != nullptr ? Utf8(windowsPath) : "";
    HeapFree(GetProcessHeap(), 0, windowsPath);
    return result;
}

std::string UnixSide::PathOf(const std::string& windowsPath) {
    wchar_t wide[MAX_PATH];
    UnixFileNameFunction unixFileName = Present() ? UnixFileName() : nullptr;
    if (unixFileName == nullptr || MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) == 0) {
        return "";
    }
    char* path = unixFileName(wide);
    std::string result = path != nullptr ? path : "";
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

// start /wait does not wait for a host program, so the command's output is moved under its
// final name only once the command has ended, and that name is waited for.
std::string UnixSide::Shell(const std::string& command) {
    ScratchFolder folder;
    std::string partial = PathOf(folder.Path("partial"));
    std::string output = PathOf(folder.Path("output"));
    std::string line = "start.exe /unix /bin/sh -c \"{ " + command + "; } > '" + partial + "' 2>&1; mv '" + partial +
                       "' '" + output + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (partial.empty() ||
        !CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return "";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const bool ended = WaitUntil([&] { return GetFileAttributesA(folder.Path("output").c_str()) != INVALID_FILE_ATTRIBUTES; });
    return ended ? folder.Read("output") : "";
}

std::string UnixSide::ModeOf(const std::string& windowsPath) {
    std::string path = PathOf(windowsPath);
    std::string mode = path.empty() ? "" : Shell("stat -c %a '" + path + "'");
    return mode.substr(0, mode.find('\n'));
}

bool UnixSide::SetMode(const std::string& windowsPath, const std::string& mode) {
    std::string path = PathOf(windowsPath);
    return !path.empty() && Shell("chmod " + mode + " '" + path + "' && echo changed") == "changed\n";
}

}  // namespace harness
