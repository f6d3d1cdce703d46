#!/usr/bin/env bash
# Holds a built Bytrane.exe to the minimum Windows that the READMEs state: the OS and subsystem
# versions of its PE header, the DLLs it imports (Windows' own: the system DLLs and the C
# library every Windows carries), no import known to have come after that minimum, and its
# manifest (resource type 24, id 1: as the user who starts it, Vista to Windows 11 supported,
# aware of each monitor's DPI, nothing else asked for). It also imports none of the ANSI functions that take a file name,
# which would hand it a name converted to the code page: a look-alike, possibly another file's.
# Usage: pe-header.sh SOURCE_DIR EXE OBJDUMP WINDRES MAJOR MINOR
set -euo pipefail
source=$1 exe=$2 objdump=$3 windres=$4 major=$5 minor=$6
failed=0
fail() { echo "$exe: $*"; failed=1; }

declare -A names=([6.0]=Vista [6.1]=7 [6.2]=8 [6.3]=8.1 [10.0]=10)
name=${names[$major.$minor]:-}
[ -n "$name" ] || { echo "no Windows name known for version $major.$minor"; exit 1; }
grep -qF "Windows $name or later" "$source/resources/README-windows.txt" || fail "README-windows.txt does not say Windows $name or later"
grep -qF "Windows $name ($major.$minor) or later" "$source/README.md" || fail "README.md does not say Windows $name ($major.$minor) or later"

headers=$("$objdump" -p "$exe")
field() { awk -v field="$1" '$1 == field { print $2 }' <<<"$headers"; }
for part in OSystem Subsystem; do
  version=$(field "Major${part}Version").$(field "Minor${part}Version")
  [ "$version" = "$major.$minor" ] || fail "${part} version $version in the PE header, not $major.$minor"
done

# One "dll function" line per import; a DLL's list ends where the next section of the dump begins.
imports=$(awk '/DLL Name:/ { dll = tolower($3) } /^The / { dll = "" } dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3 }' <<<"$headers")
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
for dll in $(cut -d' ' -f1 <<<"$imports" | sort -u); do
  [[ $allowed == *" $dll "* ]] || fail "imports $dll, which is not one of Windows' own DLLs"
done
# Functions that came with Windows 7 or later and that compilers' runtimes are known to call.
later="GetSystemTimePreciseAsFileTime WaitOnAddress WakeByAddressSingle WakeByAddressAll SetThreadDescription
  GetThreadDescription CreateFile2 TryAcquireSRWLockExclusive TryAcquireSRWLockShared GetCurrentProcessorNumberEx
  GetActiveProcessorCount GetLogicalProcessorInformationEx QueryUnbiasedInterruptTime SetDefaultDllDirectories
  AddDllDirectory InitializeSynchronizationBarrier ChangeWindowMessageFilterEx GetDpiForWindow"
for function in $later; do
  ! grep -q " $function\$" <<<"$imports" || fail "imports $function, which Windows $name does not have"
done

ansi="CreateFileA DeleteFileA MoveFileA MoveFileExA MoveFileWithProgressA ReplaceFileA CopyFileA CopyFileExA
  GetFileAttributesA GetFileAttributesExA SetFileAttributesA GetTempFileNameA GetTempPathA GetFullPathNameA
  GetLongPathNameA GetShortPathNameA FindFirstFileA FindFirstFileExA FindNextFileA CreateDirectoryA
  RemoveDirectoryA GetFileSecurityA SetFileSecurityA CreateHardLinkA OpenFile _lopen _lcreat DragQueryFileA
  GetOpenFileNameA GetSaveFileNameA GetCommandLineA CommandLineToArgvA ShellExecuteA"
for function in $ansi; do
  ! grep -q " $function\$" <<<"$imports" || fail "imports $function, which takes a file name in the ANSI code page"
done

# The manifest's text as windres writes it back: quoted lines, quotes doubled, comments dropped.
manifest=$("$windres" -i "$exe" -O rc | awk '/^1 24 / { inside = 1; next } inside && /^END/ { exit } inside' |
  sed -e 's/^ *"//' -e 's/"$//' -e 's/""/"/g' -e 's/\\n$//' | perl -0pe 's/<!--.*?-->//gs')
[ -n "$manifest" ] || fail "has no manifest resource (type 24, id 1)"
grep -qE '<requestedExecutionLevel +level="asInvoker" +uiAccess="false" */>' <<<"$manifest" || fail "manifest does not run asInvoker"
supported=$(grep -oE 'supportedOS +Id="\{[0-9a-f-]+\}"' <<<"$manifest" | grep -oE '[0-9a-f-]{36}' | sort | tr '\n' ' ') || true
# Vista, 7, 8, 8.1 and 10/11, sorted.
expected="1f676c76-80e1-4239-95bb-83d0f6d0da78 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a e2011457-1546-43c5-a5fe-008deee3d3f0 "
[ "$supported" = "$expected" ] || fail "manifest declares supportedOS $supported"
# Aware of each monitor's DPI, in the two namespaces Windows reads it from, and nothing else asked for.
grep -qE '<dpiAware +xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings" *>true/pm</dpiAware>' <<<"$manifest" || fail "manifest does not declare dpiAware true/pm"
grep -qE '<dpiAwareness +xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings" *>PerMonitorV2, PerMonitor</dpiAwareness>' <<<"$manifest" || fail "manifest does not declare dpiAwareness PerMonitorV2"
! grep -qiE 'Common-Controls|activeCodePage|gdiScaling' <<<"$manifest" || fail "manifest asks for common controls 6, a code page or GDI scaling"
exit $failed
