#include "view/RenameCheck.h"

#include <cstring>
#include <cwchar>

#include "framework/FileHandle.h"
#include "framework/SystemPath.h"

namespace {

// Who owns the file and who may do what with it. The audit list needs a privilege to be read
// and is left out.
const SECURITY_INFORMATION RightsParts =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
// Descriptors take a few hundred bytes; a larger one counts as different, which only costs the
// rename.
const DWORD DescriptorRoom = 8192;
// Marks a new file takes from its folder rather than from the file it replaces.
const DWORD FolderAttributes = FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_COMPRESSED;
// A name that is a symbolic link: the rename would put a plain file in the link's place and leave
// the file it points to with the old bytes. (Wine shows host links as plain files.)
const DWORD LinkAttribute = FILE_ATTRIBUTE_REPARSE_POINT;
const DWORD AllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const wchar_t MainStream[] = L"::$DATA";

// Listing streams came with Vista, the oldest Windows the program runs on. They are looked up at
// run time all the same: a system without them keeps the file, as one whose streams cannot be
// listed.
typedef HANDLE(WINAPI* FindFirstStreamFunction)(LPCWSTR path, STREAM_INFO_LEVELS level, LPVOID found, DWORD flags);
typedef BOOL(WINAPI* FindNextStreamFunction)(HANDLE search, LPVOID found);

// Self-relative descriptors are compared byte for byte: the system lays them out the same way
// for the same content, and any other difference only costs the rename.
bool SameRights(const wchar_t* copy, const wchar_t* target) {
    alignas(sizeof(void*)) BYTE copyRights[DescriptorRoom];
    alignas(sizeof(void*)) BYTE targetRights[DescriptorRoom];
    DWORD needed = 0;
    if (!GetFileSecurityW(SystemPath(target).Get(), RightsParts, targetRights, DescriptorRoom, &needed) ||
        !GetFileSecurityW(SystemPath(copy).Get(), RightsParts, copyRights, DescriptorRoom, &needed)) {
        return false;
    }
    DWORD size = GetSecurityDescriptorLength(targetRights);
    return size == GetSecurityDescriptorLength(copyRights) && memcmp(targetRights, copyRights, size) == 0;
}

// A rename would give the saved name a file of its own and leave the other names the old bytes.
bool HasOneName(const wchar_t* target) {
    FileHandle file(CreateFileW(SystemPath(target).Get(), FILE_READ_ATTRIBUTES, AllSharing, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    return file.IsValid() && GetFileInformationByHandle(file.Get(), &information) && information.nNumberOfLinks == 1;
}

// Only the main stream, or a file system that keeps no other. Where streams cannot be listed
// (before Vista, or a share that does not answer) nothing is known, and the file is kept.
bool HasNoNamedStreams(const wchar_t* target) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FindFirstStreamFunction findFirst = reinterpret_cast<FindFirstStreamFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "FindFirstStreamW")));
    FindNextStreamFunction findNext = reinterpret_cast<FindNextStreamFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "FindNextStreamW")));
    if (findFirst == nullptr || findNext == nullptr) {
        return false;
    }
    WIN32_FIND_STREAM_DATA stream;
    HANDLE search = findFirst(SystemPath(target).Get(), FindStreamInfoStandard, &stream, 0);
    if (search == INVALID_HANDLE_VALUE) {
        // End of the list: no stream at all. Invalid parameter: a file system without streams.
        DWORD error = GetLastError();
        return error == ERROR_HANDLE_EOF || error == ERROR_INVALID_PARAMETER;
    }
    bool onlyMain = wcscmp(stream.cStreamName, MainStream) == 0;
    while (onlyMain && findNext(search, &stream)) {
        onlyMain = wcscmp(stream.cStreamName, MainStream) == 0;
    }
    bool listedAll = onlyMain && GetLastError() == ERROR_HANDLE_EOF;
    FindClose(search);
    return listedAll;
}

}  // namespace

bool RenameChangesOnlyBytes(const wchar_t* copy, const wchar_t* target) {
    DWORD copyAttributes = GetFileAttributesW(SystemPath(copy).Get());
    DWORD targetAttributes = GetFileAttributesW(SystemPath(target).Get());
    return copyAttributes != INVALID_FILE_ATTRIBUTES && targetAttributes != INVALID_FILE_ATTRIBUTES &&
           ((copyAttributes ^ targetAttributes) & FolderAttributes) == 0 && (targetAttributes & LinkAttribute) == 0 &&
           SameRights(copy, target) && HasOneName(target) && HasNoNamedStreams(target);
}
