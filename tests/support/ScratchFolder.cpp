#include "tests/support/ScratchFolder.h"

#include <algorithm>

#include "tests/support/WideText.h"

namespace harness {

ScratchFolder::ScratchFolder() {
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    static int sequence = 0;
    folder_ = Utf8(base) + "bytrane view " + std::to_string(GetCurrentProcessId()) + " " +
              std::to_string(++sequence);
    CreateDirectoryW(Wide(folder_).c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& name : FileNames()) {
        std::string path = Path(name);
        SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Wide(path).c_str());
    }
    RemoveDirectoryW(Wide(folder_).c_str());
}

std::string ScratchFolder::Path(const std::string& name) const {
    return folder_ + "\\" + name;
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    return WriteAt(Path(name), bytes);
}

std::string ScratchFolder::WriteAt(const std::string& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    return ReadAt(Path(name));
}

std::string ScratchFolder::ReadAt(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
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
    return NamesIn(folder_);
}

std::vector<std::string> ScratchFolder::NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(Utf8(entry.cFileName));
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace harness
