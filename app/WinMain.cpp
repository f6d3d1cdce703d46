#include <windows.h>
#include <shellapi.h>

#include "app/Globals.h"
#include "app/ResourceIds.h"
#include "framework/AppInstance.h"
#include "framework/TextUtil.h"

namespace {

const int StatusPartCount = 3;
const int FixedPartWidth = 20;   // in average character widths
const int ArgumentSlots = 3;
const DWORD ViewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    appInstance = instance;

    statusBar.InitParts(StatusPartCount);
    statusBar.AddPart(0, 0);
    statusBar.AddPart(FixedPartWidth, 0);
    statusBar.AddPart(FixedPartWidth, 0);

    char* arguments[ArgumentSlots];
    SplitCommandLine(commandLine, arguments, ArgumentSlots);

    hexView.style = ViewStyle;
    if (!mainWindow.Initialize(&hexView, &statusBar)) {
        return 0;
    }
    DragAcceptFiles(mainWindow.hwnd, TRUE);
    mainWindow.Show(showCommand);

    if (!hexView.LoadFile(arguments[0])) {
        mainWindow.UpdateTitle();
    }
    mainWindow.LoadAcceleratorTable(IDR_ACCELERATORS);
    return mainWindow.RunMessageLoop();
}
