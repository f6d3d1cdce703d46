#include "tests/support/BoxCatcher.h"

#include "app/Globals.h"

namespace harness {

namespace {

const char BoxClassName[] = "CMSGCLASS";

}  // namespace

BoxCatcher::BoxCatcher()
    : answerer_(
          [this](HWND) {
              texts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
              captions.push_back(msgWindow.caption != nullptr ? msgWindow.caption : "");
              PostMessageA(msgWindow.hwnd, WM_CLOSE, 0, 0);
              return true;
          },
          BoxClassName) {
}

}  // namespace harness
