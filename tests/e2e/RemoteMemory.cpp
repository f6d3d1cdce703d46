#include "RemoteMemory.h"

#include <vector>

RemoteMemory::RemoteMemory(HANDLE process, SIZE_T size)
    : process(process),
      size(size),
      address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
    if (address) {
        VirtualFreeEx(process, address, 0, MEM_RELEASE);
    }
}

bool RemoteMemory::Write(const void* bytes, SIZE_T count) {
    SIZE_T written = 0;
    return count <= size && WriteProcessMemory(process, address, bytes, count, &written) && written == count;
}

bool RemoteMemory::Fill(BYTE value) {
    std::vector<BYTE> bytes(size, value);
    return Write(bytes.data(), bytes.size());
}

std::string RemoteMemory::ReadString() {
    std::vector<char> bytes(size + 1, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address, bytes.data(), size, &read)) {
        return std::string();
    }
    return std::string(bytes.data());
}
