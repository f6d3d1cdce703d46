#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// A folder of its own under the temporary path, removed with all its files. Names and paths are
// UTF-8.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(const std::string& name) const;
    std::string Write(const std::string& name, const std::string& bytes) const;
    // A file of the given size whose bytes are never written (sparse); empty when not possible.
    std::string WriteSized(const std::string& name, LONG high, LONG low) const;
    std::string Read(const std::string& name) const;
    std::vector<std::string> FileNames() const;
    // The same for any path, inside the folder or not; names come sorted.
    static std::string WriteAt(const std::string& path, const std::string& bytes);
    static std::string ReadAt(const std::string& path);
    static std::vector<std::string> NamesIn(const std::string& folder);

private:
    std::string folder_;
};

}  // namespace harness
