#pragma once
// What the tests of the view, search and application share: the program's windows started by
// the program's own start-up routine, documents loaded from scratch files, a private scratch
// folder, and catching the program's message boxes and working its modal dialogs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/DialogAnswerer.h"

namespace harness {

// Creates the main window with its status bar and hex view once per process, as start-up does.
void StartProgramWindows();
// Loads bytes into the view through a scratch file, with exactly rows whole rows visible.
bool LoadDocument(const std::string& bytes, int rows = 10);
std::string StatusPartText(int part);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
// The status text the program shows for the loaded document's size.
std::string FileSizeText();

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

// While alive, plays its steps one per timer tick on whatever dialog box of this thread is
// open (a step per tick lets each typed character, and what it posts, be handled before the
// next), and answers every box of the program's message box window with its first button,
// recording text and caption. A dialog still open after the last step is cancelled and counted
// in leftOpen, so a broken test fails instead of hanging.
class ScriptedUser {
public:
    typedef std::function<void(HWND dialog)> Step;

    ScriptedUser();
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    ScriptedUser& Then(Step step);
    // One step per character, each posted as WM_CHAR to the dialog's edit field.
    ScriptedUser& Type(const std::string& text);
    // BM_CLICK on a dialog item, as a mouse click does.
    ScriptedUser& Click(int id);
    // Clicks the check box when its state differs from checked.
    ScriptedUser& SetCheck(int id, bool checked);
    // Records the field's text (into fieldTexts) and the dialog's caption (into captions).
    ScriptedUser& Look();

    int dialogsSeen;
    int leftOpen;
    std::vector<std::string> fieldTexts;
    std::vector<std::string> captions;
    std::vector<std::string> boxTexts;
    std::vector<std::string> boxCaptions;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    bool AnswerBox();

    std::vector<Step> steps_;
    size_t next_;
    HWND dialog_;
    int idleTicks_;
    UINT_PTR timer_;
    static ScriptedUser* active_;
};

}  // namespace harness
