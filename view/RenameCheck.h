#pragma once
#include <windows.h>

// Whether renaming the copy over the target changes nothing about the target but its bytes: the
// same owner, group and rights, the same encryption and compression, not a link, no second name
// and no named streams. What cannot be checked counts as a change, so the target is then kept.
bool RenameChangesOnlyBytes(const wchar_t* copy, const wchar_t* target);
