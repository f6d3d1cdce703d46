#include "app/ProgramWindows.h"

#include <shellapi.h>

#include "app/Globals.h"
#include "framework/AppInstance.h"
#include "framework/DropFilter.h"
#include "search/SearchDialogs.h"

namespace {

const int FixedPartWidth = 20;   // in average character widths
const DWORD ViewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL;

}  // namespace

int CreateProgramWindows(HINSTANCE instance, int showCommand) {
    appInstance = instance;

    statusBar.InitParts(StatusPartCount);
    statusBar.AddPart(0, 0);
    statusBar.AddPart(FixedPartWidth, 0);
    statusBar.AddPart(FixedPartWidth, 0);

    hexView.host = &mainWindow;
    searchDialogs = {&hexView, &valueEdit, &valueDialog, &charDialog, &hexBytesEdit};

    hexView.style = ViewStyle;
    if (!mainWindow.Initialize(&hexView, &statusBar)) {
        return 0;
    }
    DragAcceptFiles(mainWindow.hwnd, TRUE);
    AllowFileDrops(mainWindow.hwnd);
    mainWindow.Show(showCommand);
    return 1;
}
