#pragma once
#include <windows.h>

#include <string>

// A block of memory inside another process, for messages whose pointers the window system
// does not carry across processes (status-bar texts, drop handles). Freed on destruction.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return address != nullptr; }
    void* Address() const { return address; }
    bool Write(const void* bytes, SIZE_T count);
    bool Fill(BYTE value);
    std::string ReadString();

private:
    HANDLE process;
    SIZE_T size;
    void* address;
};
