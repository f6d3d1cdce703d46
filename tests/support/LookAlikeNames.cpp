#include "tests/support/LookAlikeNames.h"

#include <windows.h>

#include "tests/support/WideText.h"

namespace {

std::string Inside(const std::string& folder, const std::string& sub) {
    return LongForm(folder.back() == '\\' ? folder + sub : folder + "\\" + sub);
}

}  // namespace

void MakeDeepFolders(const std::string& folder) {
    for (const std::string& sub : DeepFolders()) {
        CreateDirectoryW(Wide(Inside(folder, sub)).c_str(), nullptr);
    }
}

void RemoveDeepFolders(const std::string& folder) {
    std::vector<std::string> folders = DeepFolders();
    for (auto sub = folders.rbegin(); sub != folders.rend(); ++sub) {
        std::wstring path = Wide(Inside(folder, *sub));
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    DeleteFileW((path + L"\\" + entry.cFileName).c_str());
                }
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }
}
