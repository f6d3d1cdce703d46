#pragma once
// What the view tests share: the program's windows started as the entry starts them, a
// private scratch folder, and catching the program's message boxes.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/DialogAnswerer.h"

namespace viewtest {

// Creates the main window with its status bar and hex view once per process, as start-up does.
void StartProgramWindows();
std::string StatusPartText(int part);
std::string WindowText(HWND window);

// A folder of its own under the temporary path, removed with all its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(const std::string& name) const;
    std::string Write(const std::string& name, const std::string& bytes) const;
    // A file of the given size whose bytes are never written (sparse); empty when not possible.
    std::string WriteSized(const std::string& name, LONG high, LONG low) const;
    std::string Read(const std::string& name) const;
    std::vector<std::string> FileNames() const;
    // The same for any path, inside the folder or not; names come sorted.
    static std::string WriteAt(const std::string& path, const std::string& bytes);
    static std::string ReadAt(const std::string& path);
    static std::vector<std::string> NamesIn(const std::string& folder);

private:
    std::string folder_;
};

// While alive, closes the program's message box when it opens and records its text and caption.
class BoxCatcher {
public:
    BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    DialogAnswerer answerer_;
};

}  // namespace viewtest
