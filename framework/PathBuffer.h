#pragma once
#include <windows.h>

#include <new>

// Longest path the system takes, in UTF-16 units, terminator included.
const DWORD LongestPath = 32768;

// Room for a path of any length the system allows. It lives on the heap: 64 KiB in a message
// handler's frame, with nested dialogs and boxes below it, would crowd the thread's stack.
class PathBuffer {
public:
    PathBuffer() : text_(new (std::nothrow) wchar_t[LongestPath]()) {}
    ~PathBuffer() { delete[] text_; }
    PathBuffer(const PathBuffer&) = delete;
    PathBuffer& operator=(const PathBuffer&) = delete;

    // The zero-filled buffer of LongestPath units, or null when there was no memory for it.
    wchar_t* Get() const { return text_; }

private:
    wchar_t* text_;
};
