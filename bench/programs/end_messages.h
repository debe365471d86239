// How the measured dialogs are ended: the palette's quit message (with its
// exact parameters) and a close, as the bench sends them to every program.
#pragma once

#include <windows.h>

namespace bench {

// True when the message is one that ends a measured dialog; it is then answered.
inline bool AnswerEndMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0x069A) {  // WM_USER + 666
    if (wp == 0x123 && lp == 0x543) EndDialog(wnd, 0);
    return true;
  }
  if (msg == WM_CLOSE) {
    EndDialog(wnd, 0);
    return true;
  }
  return false;
}

}  // namespace bench
