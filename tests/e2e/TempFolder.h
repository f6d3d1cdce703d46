#pragma once
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
    static bool Exists(const std::string& filePath);

private:
    std::string path;
};
