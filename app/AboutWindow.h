#pragma once
#include <windows.h>

#include "app/FontSpec.h"
#include "app/MsgWindow.h"
#include "framework/ButtonControl.h"

// The text and web address the About command shows.
extern const char AboutText[];
extern const wchar_t AboutLink[];

// The About box: the message box turned into a borderless ellipse with a red outline, the
// program icon, centred text, one OK button and an underlined link that opens the web
// address (the caption given to Run) with the shell.
class AboutWindow : public MsgWindow {
public:
    AboutWindow();
    ~AboutWindow() override;

    void OnDrawItem(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnOtherCommand(int id, LPARAM lParam) override;
    void CreateButtons() override;
    void CreateFrame() override;

    int linkCreated;
    int regionWidth;
    int regionHeight;
    FontSpec linkFont;
    ButtonControl linkButton;
};
