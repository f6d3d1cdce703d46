#pragma once
#include <windows.h>

#include <string>

namespace harness {

// The file's owner, group and rights as the system describes them; empty when they cannot be
// read.
std::string RightsOf(const std::string& path);
// Gives the file's owner alone any rights to it (under Wine the file's mode then shows no
// rights for others).
bool RestrictToOwner(const std::string& path);

// The file's index on its volume and its count of names; no names when it cannot be opened.
struct FileIdentity {
    DWORDLONG index;
    DWORD links;
};
FileIdentity IdentityOf(const std::string& path);

}  // namespace harness
