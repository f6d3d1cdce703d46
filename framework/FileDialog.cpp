#include "framework/FileDialog.h"

#include <cstring>

#include "framework/AppInstance.h"
#include "framework/TextUtil.h"

const char FileDialogFilter[] =
    "All files (*.*)\0*.*\0"
    "Executable files (*.exe, *.dll, *.vxd)\0*.exe;*.dll;*.vxd\0";

namespace {

const DWORD OpenFlags = OFN_HIDEREADONLY;
const DWORD SaveFlags = OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
// The record without the trailing members added after Windows 98, which every version accepts.
const DWORD ShortRecordSize = 76;

const char* WithoutLeadingDot(const char* extension) {
    return extension[0] == '.' ? extension + 1 : extension;
}

}  // namespace

FileDialog::FileDialog(int isOpen, const char* filter, int filterIndex, const char* defaultExtension)
    : readOnly(0), selectionChanged(0), isOpen(isOpen), flags(isOpen ? OpenFlags : SaveFlags), fileTitleSize(0),
      filterIndex(filterIndex), fileTitle(nullptr), filter(filter), defaultExtension(defaultExtension), title("") {
}

void FileDialog::PreFileDialog(OPENFILENAMEA*) {
}

int FileDialog::Run(HWND owner, char* pathBuffer, DWORD pathBufferSize, const char* initialDirectory) {
    OPENFILENAMEA record;
    memset(&record, 0, sizeof(record));
    record.lStructSize = ShortRecordSize;
    record.hwndOwner = owner;
    record.hInstance = appInstance;
    record.lpstrFilter = filter;
    record.nFilterIndex = filterIndex;
    record.lpstrFile = pathBuffer;
    record.nMaxFile = pathBufferSize;
    record.lpstrFileTitle = fileTitle;
    record.nMaxFileTitle = fileTitleSize;
    record.lpstrInitialDir = initialDirectory;
    record.lpstrTitle = title;
    record.Flags = flags;
    record.lpstrDefExt = defaultExtension != nullptr ? WithoutLeadingDot(defaultExtension) : nullptr;
    PreFileDialog(&record);

    if (isOpen) {
        if (readOnly) {
            record.Flags |= OFN_READONLY;
        }
        if (!GetOpenFileNameA(&record)) {
            return 0;
        }
        int chosenReadOnly = (record.Flags & OFN_READONLY) ? 1 : 0;
        if (static_cast<int>(record.nFilterIndex) != filterIndex || chosenReadOnly != readOnly) {
            filterIndex = static_cast<int>(record.nFilterIndex);
            readOnly = chosenReadOnly;
            selectionChanged = 1;
        }
    } else if (!GetSaveFileNameA(&record)) {
        return 0;
    }

    if (defaultExtension != nullptr) {
        const char* extension = WithoutLeadingDot(defaultExtension);
        RemoveExtension(pathBuffer);
        // The extension must fit; a name that would not is refused rather than overrun.
        if (strlen(pathBuffer) + 1 + strlen(extension) + 1 > pathBufferSize) {
            return 0;
        }
        strcat(pathBuffer, ".");
        strcat(pathBuffer, extension);
    }
    return 1;
}
