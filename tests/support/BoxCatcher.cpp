#include "tests/support/BoxCatcher.h"

#include "app/Globals.h"
#include "tests/support/WideText.h"

namespace harness {

namespace {

const char BoxClassName[] = "CMSGCLASS";

}  // namespace

BoxCatcher::BoxCatcher()
    : answerer_(
          [this](HWND) {
              texts.push_back(msgWindow.text != nullptr ? msgWindow.text : "");
              captions.push_back(Utf8(msgWindow.caption != nullptr ? msgWindow.caption : L""));
              PostMessageA(msgWindow.hwnd, WM_CLOSE, 0, 0);
              return true;
          },
          BoxClassName) {
}

}  // namespace harness
