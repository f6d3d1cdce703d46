#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/DialogAnswerer.h"

namespace harness {

// While alive, closes the program's message box when it opens and records its text and caption.
class BoxCatcher {
public:
    BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    DialogAnswerer answerer_;
};

}  // namespace harness
