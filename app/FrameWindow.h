#pragma once
#include "framework/DisplayScale.h"
#include "framework/StatusBar.h"
#include "framework/Window.h"

class HexView;

// A top-level window of class "MainClass" that keeps a view above a status bar, owns the main
// message loop with its accelerators, and asks before it closes.
class FrameWindow : public Window {
public:
    FrameWindow();
    int RegisterWindowClass() override;
    void OnDestroyed() override;
    void OnClose() override;
    int OnCreate() override;
    // Takes the rectangle Windows suggests and draws the view and the status bar for the new DPI.
    void OnDpiChanged(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnQueryEndSession() override;
    void OnSetFocus() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    virtual int QueryClose();
    virtual int PreShow();

    int Initialize(HexView* viewObject, StatusBar* statusBarObject);
    void Show(int showCommand);
    int LoadAcceleratorTable(int tableId);
    int RunMessageLoop();

    HACCEL accelerators;
    int clientWidth;
    int clientHeight;
    StatusBar* statusBar;
    HexView* view;
    // The DPI of the frame's monitor; the view and the status bar are drawn for it.
    DisplayScale scale;
};
