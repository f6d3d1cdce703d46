#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace harness {

// A drop of the given UTF-8 paths as the shell hands it to a window: a wide DROPFILES block,
// which the receiver frees with DragFinish.
HDROP MakeDrop(const std::vector<std::string>& paths);

}  // namespace harness
