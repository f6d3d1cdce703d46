#include "app/FrameWindow.h"

#include <commctrl.h>

#include "framework/AppInstance.h"
#include "view/HexView.h"

namespace {

int registered = 0;
const char FrameClassName[] = "MainClass";
const DWORD FrameStyle = WS_OVERLAPPEDWINDOW;
const int ChildWindowCount = 2;

}  // namespace

FrameWindow::FrameWindow()
    : accelerators(nullptr), clientWidth(0), clientHeight(0), statusBar(nullptr), view(nullptr) {
}

int FrameWindow::RegisterWindowClass() {
    WindowClassDescription description = {
        FrameClassName,
        CS_BYTEALIGNCLIENT,
        LoadIconA(nullptr, IDI_APPLICATION),
        LoadCursorA(nullptr, IDC_ARROW),
        static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)),
        appInstance,
    };
    return RegisterFrameworkClass(this, &registered, description, true);
}

void FrameWindow::OnDestroyed() {
    PostQuitMessage(0);
}

void FrameWindow::OnClose() {
    if (QueryClose()) {
        Destroy();
    }
}

int FrameWindow::OnCreate() {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;  // the eight basic control classes
    InitCommonControlsEx(&controls);
    if (!statusBar->CreateBar(hwnd)) {
        return 0;
    }
    scale = DisplayScale::OfWindow(hwnd);
    statusBar->SetScale(scale);
    return 1;
}

void FrameWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    scale = DisplayScale(HIWORD(wParam));
    statusBar->SetScale(scale);
    view->SetScale(scale);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The status bar's height and parts follow its font even where the frame keeps its size.
    RECT client;
    GetClientRect(hwnd, &client);
    OnSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

LRESULT FrameWindow::OnQueryEndSession() {
    return QueryClose();
}

void FrameWindow::OnSetFocus() {
    SetFocus(view->hwnd);
}

void FrameWindow::OnSize(WPARAM wParam, LPARAM lParam) {
    clientWidth = LOWORD(lParam);
    clientHeight = HIWORD(lParam);
    statusBar->OnParentSize(wParam, lParam);
    int statusHeight = statusBar->VisibleHeight();
    // The first size message comes while the frame is being created, before the view exists.
    if (view->hwnd == nullptr) {
        return;
    }
    HDWP positions = BeginDeferWindowPos(ChildWindowCount);
    positions = DeferWindowPos(positions, view->hwnd, nullptr, 0, 0, clientWidth,
                               clientHeight - statusHeight, SWP_SHOWWINDOW);
    positions = DeferWindowPos(positions, statusBar->hwnd, nullptr, 0, clientHeight - statusHeight,
                               clientWidth, clientHeight, SWP_SHOWWINDOW);
    EndDeferWindowPos(positions);
}

int FrameWindow::QueryClose() {
    return 1;
}

int FrameWindow::PreShow() {
    return 0;
}

int FrameWindow::Initialize(HexView* viewObject, StatusBar* statusBarObject) {
    view = viewObject;
    statusBar = statusBarObject;
    RegisterWindowClass();

    CREATESTRUCTA create;
    create.dwExStyle = 0;
    create.lpszClass = FrameClassName;
    create.lpszName = "";
    create.style = FrameStyle;
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = CW_USEDEFAULT;
    create.cy = CW_USEDEFAULT;
    PreCreateWindow(&create);

    hwnd = CreateWindowExA(create.dwExStyle, create.lpszClass, create.lpszName, create.style, create.x,
                           create.y, create.cx, create.cy, nullptr, nullptr, appInstance, this);
    if (hwnd == nullptr) {
        return 0;
    }
    view->exStyle = WS_EX_CLIENTEDGE;
    return view->Create(hwnd, nullptr, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT) ? 1 : 0;
}

void FrameWindow::Show(int showCommand) {
    if (PreShow() == 0) {
        ShowWindow(hwnd, showCommand);
    }
    UpdateWindow(hwnd);
}

int FrameWindow::LoadAcceleratorTable(int tableId) {
    accelerators = LoadAcceleratorsA(appInstance, MAKEINTRESOURCEA(tableId));
    return accelerators != nullptr ? 1 : 0;
}

int FrameWindow::RunMessageLoop() {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && TranslateAcceleratorA(hwnd, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
