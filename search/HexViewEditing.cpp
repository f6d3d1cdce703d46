// Replacing single bytes of the document by double-clicking them.
#include "app/Globals.h"
#include "framework/AppInstance.h"
#include "search/DialogIds.h"

namespace {

const int StatusPartModified = 2;

}  // namespace

void HexView::OnLButtonDblClk(WPARAM, LPARAM lParam) {
    EditByteAt(lParam);
}

void HexView::EditByteAt(LPARAM position) {
    if (!editAllowed) {
        return;
    }
    DumpHit hit = HitTest(position);
    if (hit.area == DumpArea::None || document.data == nullptr) {
        return;
    }
    BYTE* target = document.data + hit.position;
    BYTE old = *target;
    bool changed = false;
    if (hit.area == DumpArea::Hex) {
        dialogByteValue = old;
        valueDialog.address = static_cast<uint32_t>(hit.position);
        INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BYTE_VALUE), hwnd,
                                         DialogObject::StaticDialogProc, reinterpret_cast<LPARAM>(&valueDialog));
        if (result != -1 && result != 0 && dialogByteValue != old) {
            *target = static_cast<BYTE>(dialogByteValue & 0xFF);
            changed = true;
        }
    } else {
        dialogCharValue = old;
        charDialog.address = static_cast<uint32_t>(hit.position);
        INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BYTE_CHAR), hwnd,
                                         DialogObject::StaticDialogProc, reinterpret_cast<LPARAM>(&charDialog));
        if (result != -1 && result != 0 && dialogCharValue != old) {
            *target = dialogCharValue;
            changed = true;
        }
    }
    if (changed) {
        if (!modified) {
            statusBar.SetPartText(StatusPartModified, "\tModified");
        }
        modified = 1;
        Paint();
    }
    if (hit.area == DumpArea::Hex) {
        mainWindow.SetStatusMessage(FileSize, static_cast<DWORD>(fileSize));
    }
}
