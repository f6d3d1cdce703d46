#include "tests/support/ScriptedUser.h"

#include "app/Globals.h"
#include "search/DialogIds.h"
#include "tests/support/ProgramHarness.h"

namespace harness {

namespace {

const UINT TickMilliseconds = 30;
const int GraceTicks = 40;
const int TextBufferSize = 512;
const char DialogClassName[] = "#32770";
const char BoxClassName[] = "CMSGCLASS";

struct Found {
    const char* className;
    HWND window;
};

BOOL CALLBACK FindOfClass(HWND candidate, LPARAM param) {
    Found* found = reinterpret_cast<Found*>(param);
    char name[TextBufferSize] = "";
    GetClassNameA(candidate, name, sizeof name);
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate) && lstrcmpA(name, found->className) == 0) {
        found->window = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND ThreadWindowOfClass(const char* className) {
    Found found = {className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOfClass, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
    char name[TextBufferSize] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ScriptedUser* ScriptedUser::active_ = nullptr;

ScriptedUser::ScriptedUser()
    : dialogsSeen(0), leftOpen(0), next_(0), dialog_(nullptr), idleTicks_(0),
      timer_(SetTimer(nullptr, 0, TickMilliseconds, OnTick)) {
    active_ = this;
}

ScriptedUser::~ScriptedUser() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

ScriptedUser& ScriptedUser::Then(Step step) {
    steps_.push_back(step);
    return *this;
}

ScriptedUser& ScriptedUser::Type(const std::string& text) {
    for (char ch : text) {
        Then([ch](HWND dialog) {
            PostMessageA(GetDlgItem(dialog, IDC_EDIT_FIELD), WM_CHAR, static_cast<BYTE>(ch), 1);
        });
    }
    return *this;
}

ScriptedUser& ScriptedUser::Click(int id) {
    return Then([id](HWND dialog) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); });
}

ScriptedUser& ScriptedUser::SetCheck(int id, bool checked) {
    return Then([id, checked](HWND dialog) {
        if ((IsDlgButtonChecked(dialog, id) == BST_CHECKED) != checked) {
            SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        }
    });
}

ScriptedUser& ScriptedUser::Look() {
    return Then([this](HWND dialog) {
        fieldTexts.push_back(ItemText(dialog, IDC_EDIT_FIELD));
        captions.push_back(WindowText(dialog));
    });
}

void CALLBACK ScriptedUser::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) {
        active_->Tick();
    }
}

bool ScriptedUser::AnswerBox() {
    HWND box = ThreadWindowOfClass(BoxClassName);
    if (box == nullptr || !msgWindow.running) {
        return false;
    }
    boxTexts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
    boxCaptions.push_back(WindowText(box));
    HWND button = nullptr;
    EnumChildWindows(box, FindButton, reinterpret_cast<LPARAM>(&button));
    if (button != nullptr) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
    }
    return true;
}

void ScriptedUser::Tick() {
    if (AnswerBox()) {
        return;
    }
    HWND dialog = ThreadWindowOfClass(DialogClassName);
    if (dialog == nullptr) {
        return;
    }
    if (dialog != dialog_) {
        dialog_ = dialog;
        ++dialogsSeen;
    }
    if (next_ < steps_.size()) {
        steps_[next_++](dialog);
        idleTicks_ = 0;
        return;
    }
    if (++idleTicks_ > GraceTicks) {
        ++leftOpen;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        idleTicks_ = 0;
    }
}

}  // namespace harness
