#pragma once
#include <windows.h>

// A user's path in the form the file calls take. Below MAX_PATH it goes as it is; from MAX_PATH
// on, only the \\?\ form reaches every call on every Windows, and that form takes no relative
// parts, '/' or "..", so it is made from the full path (\\?\UNC\ for a share).
class SystemPath {
public:
    explicit SystemPath(const wchar_t* path);
    ~SystemPath();
    SystemPath(const SystemPath&) = delete;
    SystemPath& operator=(const SystemPath&) = delete;

    // The path to hand the system; the empty text, which every file call refuses, when no full
    // path could be formed.
    const wchar_t* Get() const { return formed_ != nullptr ? formed_ : given_; }

private:
    const wchar_t* given_;
    wchar_t* formed_;
};
