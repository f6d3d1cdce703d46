#pragma once
#include <windows.h>

#include "app/BevelFrame.h"
#include "framework/DisplayScale.h"
#include "framework/ScaledFont.h"
#include "framework/Window.h"

// The program's own message box: a "CMSGCLASS" popup that sizes itself to its text, shows
// up to three buttons and runs modally in a loop of its own while its owner is disabled.
class MsgWindow : public Window {
public:
    static const int MaxButtons = 3;

    MsgWindow();

    // Returns the chosen button's code (1 OK, 2 Cancel, 6 Yes, 7 No); 2 when the box was
    // closed without a button or the thread is quitting; 0 when it could not be measured or
    // created. caption must stay alive while the box runs.
    int Run(HWND ownerWindow, const char* boxText, const wchar_t* boxCaption, int boxType,
            const char* iconResource, COLORREF boxTextColour, COLORREF boxFaceColour,
            COLORREF shadowColour);

    int RegisterWindowClass() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    void OnDestroy() override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSetFocus() override;

    virtual void OnBeforeRun();
    virtual void OnOtherCommand(int id, LPARAM lParam);
    virtual void CreateButtons();
    virtual void CreateFrame();

    // Dispatches everything queued except WM_QUIT, which stays queued; returns 1 when it
    // stopped at WM_QUIT, 0 when the queue is empty.
    static int PumpPendingMessages();

    int running;
    HWND owner;
    HICON icon;
    int maxCharWidth;
    int lineHeight;
    int lineCount;
    int maxLineWidth;
    int result;
    int buttonResults[MaxButtons];
    int type;
    COLORREF textColour;
    COLORREF faceColour;
    char* text;
    const wchar_t* caption;
    RECT textRect;
    BevelFrame bevel;
    // The owner's display scale when the box opened, and the text font made for it.
    DisplayScale scale;
    ScaledFont textFont;

protected:
    static const char ClassName[];
    static const int ButtonWidth = 60;
    static const int ButtonHeight = 30;
    static const int IconSize = 32;

    void CreateButton(int index, const char* buttonText, int x, int y, int code);
    // Owner's client width and height, zero without an owner.
    SIZE OwnerClientSize() const;
    // The program icon or the system's, at the box's scale.
    void DrawBoxIcon(HDC dc, int x, int y) const;

private:
    // Metrics of the display font and the widths of the text's lines (and of the caption when
    // the box shows no icon); 0 when the display cannot be measured.
    int MeasureText(bool withIcon);
    // The text's left and right edges from the measured widths and the buttons' minimum.
    void LayOutText(bool withIcon);
    // Runs with the owner disabled until a button or a close ends the box, or WM_QUIT comes.
    void RunModalLoop();
    // Hands the buttons' keys to ButtonKeyProc, keeping the class procedure for the rest.
    void SubclassButtons();
    void CopyText(const char* boxText);
    void ReleaseText();
};
