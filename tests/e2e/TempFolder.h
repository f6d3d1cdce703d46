#pragma once
#include <windows.h>

#include <string>

// A fresh folder whose name holds spaces, so every path handed to the program must survive
// quoting; removed with its files on destruction. Names and paths are UTF-8.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    std::string Write(const std::string& name, const std::string& bytes);
    static std::string Read(const std::string& filePath);
    // Reads into bytes, whose block is kept when it is large enough: a 32-bit Wine process has
    // only about 500 MiB of address space in one piece, so a loop over a large file reuses one.
    static void ReadInto(const std::string& filePath, std::string& bytes);
    static bool Exists(const std::string& filePath);
    // The last write time, read without holding the file open; 0 for no file.
    static ULONGLONG WriteTime(const std::string& filePath);

private:
    std::string path;
};
