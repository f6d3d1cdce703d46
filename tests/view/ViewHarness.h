#pragma once
// What the view tests share: the program's windows started as the entry starts them, a
// private scratch folder, GDI object counting, and answering the modal boxes and dialogs
// that the operations under test open.
#include <windows.h>

#include <string>
#include <vector>

namespace viewtest {

// Creates the main window with its status bar and hex view once per process, as start-up does.
void StartProgramWindows();
// Dispatches everything queued for this thread.
void PumpMessages();
std::string StatusPartText(int part);
std::string WindowText(HWND window);

// Live GDI objects of this process, found by probing every handle value: Wine's
// GetGuiResources always answers 0.
int CountGdiObjects();

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

private:
    std::string folder_;
};

// While alive, closes every box of the program's MsgWindow that opens and records its text
// and caption.
class BoxCatcher {
public:
    BoxCatcher();
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    static BoxCatcher* active_;
    UINT_PTR timer_;
};

// While alive, answers the next common file dialog of this thread by typing path into its
// file-name field and pressing OK; an empty path cancels it.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(const std::string& path);
    ~FileDialogAnswerer();
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    bool answered;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found);
    static FileDialogAnswerer* active_;
    std::string path_;
    UINT_PTR timer_;
};

}  // namespace viewtest
