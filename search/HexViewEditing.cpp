// Replacing single bytes of the document by double-clicking them.
#include "search/CharDialog.h"
#include "search/DialogIds.h"
#include "search/SearchDialogs.h"
#include "search/ValueDialog.h"
#include "view/HexView.h"

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
    BYTE chosen = old;
    uint32_t address = static_cast<uint32_t>(hit.position);
    // Run gives -1 when the dialog cannot be created and 0 for Cancel; both leave the byte.
    if (hit.area == DumpArea::Hex) {
        dialogByteValue = old;
        searchDialogs.valueDialog->address = address;
        if (searchDialogs.valueDialog->Run(hwnd, IDD_BYTE_VALUE) > 0) {
            chosen = static_cast<BYTE>(dialogByteValue);
        }
    } else {
        dialogCharValue = old;
        searchDialogs.charDialog->address = address;
        if (searchDialogs.charDialog->Run(hwnd, IDD_BYTE_CHAR) > 0) {
            chosen = dialogCharValue;
        }
    }
    if (chosen != old) {
        *target = chosen;
        if (!modified) {
            host->SetStatusPart(StatusPartModified, "\tModified");
        }
        modified = 1;
        Paint();
    }
    if (hit.area == DumpArea::Hex) {
        host->SetStatusMessage(FileSize, static_cast<DWORD>(fileSize));
    }
}
