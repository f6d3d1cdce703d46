#pragma once
#include <string>
#include <vector>

// File names that an ANSI conversion, with its best fit, would turn into another name: a
// look-alike that may be another, existing file (its path given beside, relative to the same
// folder, empty where no file can have it), a name split at a quotation mark, or nothing at all.
// All are UTF-8. The last one lies beyond MAX_PATH, in the folders of DeepFolders().
struct LookAlikeName {
    const char* what;
    std::string name;
    std::string lookAlike;
    bool beyondMaxPath;
};

const int DeepFolderCount = 3;
const size_t DeepFolderLength = 100;

// The folders, relative and outermost first, that the names need beside the plain file.
inline std::vector<std::string> DeepFolders() {
    std::vector<std::string> folders = {"dir"};
    std::string deep;
    for (int i = 0; i < DeepFolderCount; ++i) {
        deep += std::string(DeepFolderLength, 'd');
        folders.push_back(deep);
        deep += "\\";
    }
    return folders;
}

inline std::vector<LookAlikeName> LookAlikeNames() {
    const std::string deep = DeepFolders().back() + "\\";
    return {
        {"a letter code page 1252 lacks", "b\xC4\x81se.bin", "base.bin", false},
        {"a yen sign, the backslash of code page 932", "dir\xC2\xA5" "file.bin", "dir\\file.bin", false},
        {"a script outside the code page", "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.bin", "", false},
        {"a fullwidth quotation mark", "say \xEF\xBC\x82hi\xEF\xBC\x82.bin", "", false},
        {"a path over 300 characters", deep + "\xC4\x89" "apo.bin", deep + "capo.bin", true},
    };
}

// The long form for a test's own file calls, which Windows needs beyond 259 characters.
inline std::string LongForm(const std::string& path) {
    return "\\\\?\\" + path;
}

// Creates DeepFolders() in the folder; the removal takes them away again with their files.
void MakeDeepFolders(const std::string& folder);
void RemoveDeepFolders(const std::string& folder);
