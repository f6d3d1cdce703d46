#include <windows.h>

#include "app/Globals.h"
#include "app/ProgramWindows.h"
#include "app/ResourceIds.h"
#include "framework/TextUtil.h"

namespace {

const int ArgumentSlots = 3;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    char* arguments[ArgumentSlots];
    SplitCommandLine(commandLine, arguments, ArgumentSlots);

    if (!CreateProgramWindows(instance, showCommand)) {
        return 0;
    }
    if (!hexView.LoadFile(arguments[0])) {
        mainWindow.UpdateTitle();
    }
    mainWindow.LoadAcceleratorTable(IDR_ACCELERATORS);
    return mainWindow.RunMessageLoop();
}
