#pragma once
#include <string>

namespace harness {

// Under Wine, the host system behind the Windows one, for judging files as the host sees them:
// Wine shows a file's mode only partly as its rights. On Windows itself there is no such side.
class UnixSide {
public:
    static bool Present();
    // The file's permission bits in octal as stat prints them ("600"); empty when unknown.
    static std::string ModeOf(const std::string& windowsPath);
    static bool SetMode(const std::string& windowsPath, const std::string& mode);

private:
    static std::string PathOf(const std::string& windowsPath);
    // Runs a command in the host's shell through Wine's start /unix and returns what it printed,
    // or "" when it could not be run.
    static std::string Shell(const std::string& command);
};

}  // namespace harness
