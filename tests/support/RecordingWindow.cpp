#include "tests/support/RecordingWindow.h"

#include <algorithm>

RecordingWindow::RecordingWindow() : answer(0), menuSelectAnswer(0) {
}

std::vector<std::string> RecordingWindow::Operations() const {
    std::vector<std::string> names;
    for (const Call& call : calls) {
        names.push_back(call.operation);
    }
    return names;
}

void RecordingWindow::Record(const char* operation, WPARAM wParam, LPARAM lParam) {
    calls.push_back({operation, wParam, lParam});
}

LRESULT RecordingWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back(message);
    return TestWindow::WindowProc(message, wParam, lParam);
}

int RecordingWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::find(handledOtherMessages.begin(), handledOtherMessages.end(), message) == handledOtherMessages.end()) {
        return 0;
    }
    Record("OnOtherMessage", wParam, lParam);
    return 1;
}

void RecordingWindow::OnDestroyed() { Record("OnDestroyed"); }
int RecordingWindow::OnTerminate() { Record("OnTerminate"); return 1; }
void RecordingWindow::OnChar(WPARAM wParam, LPARAM lParam) { Record("OnChar", wParam, lParam); }
void RecordingWindow::OnClose() { Record("OnClose"); }
void RecordingWindow::OnCommand(WPARAM wParam, LPARAM lParam) { Record("OnCommand", wParam, lParam); }
void RecordingWindow::OnContextMenu(WPARAM wParam, LPARAM lParam) { Record("OnContextMenu", wParam, lParam); }
int RecordingWindow::OnCreate() { Record("OnCreate"); return TestWindow::OnCreate(); }
LRESULT RecordingWindow::OnCtlColorListBox(WPARAM wParam, LPARAM lParam) {
    Record("OnCtlColorListBox", wParam, lParam);
    return answer;
}
void RecordingWindow::OnDestroy() { Record("OnDestroy"); }
void RecordingWindow::OnDrawItem(WPARAM wParam, LPARAM lParam) { Record("OnDrawItem", wParam, lParam); }
void RecordingWindow::OnDropFiles(WPARAM wParam) { Record("OnDropFiles", wParam); }
void RecordingWindow::OnEndSession(WPARAM wParam, LPARAM lParam) { Record("OnEndSession", wParam, lParam); }
void RecordingWindow::OnInitMenu() { Record("OnInitMenu"); }
void RecordingWindow::OnKeyDown(WPARAM wParam, LPARAM lParam) { Record("OnKeyDown", wParam, lParam); }
void RecordingWindow::OnKeyUp(WPARAM wParam, LPARAM lParam) { Record("OnKeyUp", wParam, lParam); }
void RecordingWindow::OnKillFocus() { Record("OnKillFocus"); }
void RecordingWindow::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) { Record("OnLButtonDblClk", wParam, lParam); }
void RecordingWindow::OnLButtonDown(WPARAM wParam, LPARAM lParam) { Record("OnLButtonDown", wParam, lParam); }
void RecordingWindow::OnLButtonUp(WPARAM wParam, LPARAM lParam) { Record("OnLButtonUp", wParam, lParam); }
int RecordingWindow::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    Record("OnMenuSelect", wParam, lParam);
    return menuSelectAnswer;
}
void RecordingWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) { Record("OnMouseMove", wParam, lParam); }
void RecordingWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) { Record("OnMouseWheel", wParam, lParam); }
void RecordingWindow::OnNotify(WPARAM wParam, LPARAM lParam) { Record("OnNotify", wParam, lParam); }
void RecordingWindow::OnPaint() { Record("OnPaint"); }
LRESULT RecordingWindow::OnQueryEndSession() { Record("OnQueryEndSession"); return answer; }
void RecordingWindow::OnRButtonDown(WPARAM wParam, LPARAM lParam) { Record("OnRButtonDown", wParam, lParam); }
void RecordingWindow::OnRButtonUp(WPARAM wParam, LPARAM lParam) { Record("OnRButtonUp", wParam, lParam); }
void RecordingWindow::OnSetFocus() { Record("OnSetFocus"); }
void RecordingWindow::OnSize(WPARAM wParam, LPARAM lParam) { Record("OnSize", wParam, lParam); }
void RecordingWindow::OnSysColorChange() { Record("OnSysColorChange"); }
void RecordingWindow::OnSysKeyDown(WPARAM wParam, LPARAM lParam) { Record("OnSysKeyDown", wParam, lParam); }
void RecordingWindow::OnSysKeyUp(WPARAM wParam, LPARAM lParam) { Record("OnSysKeyUp", wParam, lParam); }
void RecordingWindow::OnTimer(WPARAM timerId) { Record("OnTimer", timerId); }
LRESULT RecordingWindow::OnVKeyToItem(WPARAM wParam) { Record("OnVKeyToItem", wParam); return answer; }
void RecordingWindow::OnVScroll(WPARAM wParam, LPARAM lParam) { Record("OnVScroll", wParam, lParam); }
