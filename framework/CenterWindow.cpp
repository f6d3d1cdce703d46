#include "framework/CenterWindow.h"

#include "framework/Centering.h"

BOOL CenterWindow(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT reference = {0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
    if (owner != nullptr) {
        GetWindowRect(owner, &reference);
    }
    RECT own;
    GetWindowRect(window, &own);
    PlacementPoint point = CenteredPosition({reference.left, reference.top, reference.right, reference.bottom},
                                            {own.left, own.top, own.right, own.bottom});
    return MoveWindow(window, point.x, point.y, own.right - own.left, own.bottom - own.top, FALSE);
}
