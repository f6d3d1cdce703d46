#pragma once
#include <windows.h>

// Runs the modal dialog of the program's template templateId, owned by owner: the value given
// to EndDialog, or -1 when it cannot be created. At 96 DPI the template is used as it stands; at
// any other scale of the owner's monitor its raster face is replaced by its TrueType sibling, which
// the dialog manager can make at every size, so the dialog grows with the scale and stays crisp.
INT_PTR RunTemplateDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter);
