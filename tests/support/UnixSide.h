#pragma once
#include <string>

namespace harness {

// Under Wine, the host system behind the Windows one, for judging files as the host sees them:
// Wine shows a file's mode only partly as its rights. On Windows itself there is no such side,
// and the same test programs run there unchanged.
class UnixSide {
public:
    // Wine's ntdll exports its version; no Windows does.
    static bool Present();
    // A path named from outside (the environment, a script): under Wine a host path ("/tmp/x")
    // becomes the Windows path of a drive that reaches it, empty when no drive does; any other
    // path, and every path on Windows, is returned as it is.
    static std::string WindowsPathOf(const std::string& path);
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
