#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestWindow.h"

// A TestWindow that records, in order, every message its WindowProc receives and every
// operation the dispatcher calls (with the parameters passed on), and answers the operations
// that return a value with the results a test sets. The recorded operations do nothing else,
// so OnClose does not destroy and OnPaint does not validate.
class RecordingWindow : public TestWindow {
public:
    struct Call {
        std::string operation;
        WPARAM wParam;
        LPARAM lParam;
    };

    RecordingWindow();
    std::vector<std::string> Operations() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;
    int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTerminate() override;
    void OnChar(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnContextMenu(WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void OnDrawItem(WPARAM wParam, LPARAM lParam) override;
    void OnDropFiles(WPARAM wParam) override;
    void OnEndSession(WPARAM wParam, LPARAM lParam) override;
    void OnInitMenu() override;
    void OnKeyDown(WPARAM wParam, LPARAM lParam) override;
    void OnKeyUp(WPARAM wParam, LPARAM lParam) override;
    void OnKillFocus() override;
    void OnLButtonDblClk(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonUp(WPARAM wParam, LPARAM lParam) override;
    int OnMenuSelect(WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    void OnMouseWheel(WPARAM wParam, LPARAM lParam) override;
    void OnNotify(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    LRESULT OnQueryEndSession() override;
    void OnRButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnRButtonUp(WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    void OnSysColorChange() override;
    void OnSysKeyDown(WPARAM wParam, LPARAM lParam) override;
    void OnSysKeyUp(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(WPARAM timerId) override;
    LRESULT OnVKeyToItem(WPARAM wParam) override;
    void OnVScroll(WPARAM wParam, LPARAM lParam) override;

    std::vector<UINT> messages;
    std::vector<Call> calls;
    // Messages for which OnOtherMessage reports "handled"; it records only these.
    std::vector<UINT> handledOtherMessages;
    LRESULT answer;      // returned by OnCtlColorListBox, OnQueryEndSession, OnVKeyToItem
    int menuSelectAnswer;

private:
    void Record(const char* operation, WPARAM wParam = 0, LPARAM lParam = 0);
};
