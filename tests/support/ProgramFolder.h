#pragma once
#include <string>

namespace harness {

// The folder of the running test program. What a test needs beside it (Bytrane.exe) is copied
// there by the build and packed there in the test archive, so the same lookup works in the build
// tree, under Wine and in a folder unzipped on Windows. Paths are UTF-8.
class ProgramFolder {
public:
    static std::string PathOf(const std::string& name);
};

}  // namespace harness
