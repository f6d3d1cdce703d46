#include <windows.h>

#include "app/Globals.h"
#include "app/ProgramWindows.h"
#include "app/ResourceIds.h"
#include "framework/TextUtil.h"

namespace {

const int ArgumentSlots = 3;

}  // namespace

// The wide entry: the command line comes as the system keeps it, so a file name in any script
// reaches the file calls whole, and no character outside the code page turns into a quote or a
// backslash that would split or redirect the name.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
    wchar_t* arguments[ArgumentSlots];
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
