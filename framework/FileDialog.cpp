#include "framework/FileDialog.h"

#include <cstring>
#include <cwchar>

#include "framework/AppInstance.h"
#include "framework/TextUtil.h"

const wchar_t FileDialogFilter[] =
    L"All files (*.*)\0*.*\0"
    L"Executable files (*.exe, *.dll, *.vxd)\0*.exe;*.dll;*.vxd\0";

namespace {

const DWORD OpenFlags = OFN_HIDEREADONLY;
const DWORD SaveFlags = OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
// The record without the trailing members added after Windows 98 (76 bytes in a 32-bit build,
// 136 in a 64-bit one), which every version accepts.
const DWORD ShortRecordSize = OPENFILENAME_SIZE_VERSION_400W;

const wchar_t* WithoutLeadingDot(const wchar_t* extension) {
    return extension[0] == L'.' ? extension + 1 : extension;
}

// Replaces the path's extension by the given one; a result that would not fit the buffer is
// refused and the path is left as it was.
int ForceExtension(wchar_t* path, DWORD pathSize, const wchar_t* extension) {
    extension = WithoutLeadingDot(extension);
    size_t length = wcslen(path);
    RemoveExtension(path);
    size_t stem = wcslen(path);
    if (stem + 1 + wcslen(extension) + 1 > pathSize) {
        if (stem < length) {
            path[stem] = L'.';
        }
        return 0;
    }
    path[stem] = L'.';
    wcscpy(path + stem + 1, extension);
    return 1;
}

}  // namespace

FileDialog::FileDialog(int isOpen, const wchar_t* filter, int filterIndex, const wchar_t* defaultExtension)
    : readOnly(0), selectionChanged(0), isOpen(isOpen), flags(isOpen ? OpenFlags : SaveFlags), fileTitleSize(0),
      filterIndex(filterIndex), fileTitle(nullptr), filter(filter), defaultExtension(defaultExtension), title(L"") {
}

void FileDialog::PreFileDialog(OPENFILENAMEW*) {
}

int FileDialog::Run(HWND owner, wchar_t* pathBuffer, DWORD pathBufferSize, const wchar_t* initialDirectory) {
    OPENFILENAMEW record;
    memset(&record, 0, sizeof(record));
    record.lStructSize = ShortRecordSize;
    record.hwndOwner = owner;
    record.hInstance = appInstance;
    record.Flags = flags;
    record.lpstrTitle = title;

    // What the user chooses from and starts in.
    record.lpstrFilter = filter;
    record.nFilterIndex = filterIndex;
    record.lpstrInitialDir = initialDirectory;
    record.lpstrDefExt = defaultExtension != nullptr ? WithoutLeadingDot(defaultExtension) : nullptr;

    // Where the chosen path and name come back.
    record.lpstrFile = pathBuffer;
    record.nMaxFile = pathBufferSize;
    record.lpstrFileTitle = fileTitle;
    record.nMaxFileTitle = fileTitleSize;
    PreFileDialog(&record);

    if (isOpen) {
        if (readOnly) {
            record.Flags |= OFN_READONLY;
        }
        if (!GetOpenFileNameW(&record)) {
            return 0;
        }
    } else if (!GetSaveFileNameW(&record)) {
        return 0;
    }

    if (defaultExtension != nullptr && !ForceExtension(pathBuffer, pathBufferSize, defaultExtension)) {
        return 0;
    }

    if (isOpen) {
        int chosenReadOnly = (record.Flags & OFN_READONLY) ? 1 : 0;
        if (static_cast<int>(record.nFilterIndex) != filterIndex || chosenReadOnly != readOnly) {
            filterIndex = static_cast<int>(record.nFilterIndex);
            readOnly = chosenReadOnly;
            selectionChanged = 1;
        }
    }
    return 1;
}
