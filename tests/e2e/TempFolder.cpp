#include "TempFolder.h"

#include <windows.h>

#include "tests/support/WideText.h"

namespace {

const char FolderPrefix[] = "bytrane e2e ";

}  // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    static int sequence = 0;
    path = Utf8(base) + FolderPrefix + std::to_string(GetCurrentProcessId()) + " " +
           std::to_string(++sequence);
    CreateDirectoryW(Wide(path).c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Wide(path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                std::wstring file = Wide(path) + L"\\" + entry.cFileName;
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(Wide(path).c_str());
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) {
    std::string filePath = path + "\\" + name;
    HANDLE file = CreateFileW(Wide(filePath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    return filePath;
}

std::string TempFolder::Read(const std::string& filePath) {
    std::string bytes;
    ReadInto(filePath, bytes);
    return bytes;
}

void TempFolder::ReadInto(const std::string& filePath, std::string& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(Wide(filePath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) {
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    }
    CloseHandle(file);
    bytes.resize(read);
}

bool TempFolder::Exists(const std::string& filePath) {
    return GetFileAttributesW(Wide(filePath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ULONGLONG TempFolder::WriteTime(const std::string& filePath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(Wide(filePath).c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}
