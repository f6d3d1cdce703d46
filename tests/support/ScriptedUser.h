#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace harness {

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
