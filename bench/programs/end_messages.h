// How the measured dialogs are ended: the palette's quit message (with its
// exact parameters) and a close, as the bench sends them to every program.
#pragma once

#include <windows.h>

#include "common/palette_contract.h"

namespace bench {

// True when the message is one that ends a measured dialog; it is then answered.
inline bool AnswerEndMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == velmora::kQuitMessage) {
    if (wp == velmora::kQuitWParam && static_cast<long long>(lp) == velmora::kQuitLParam) EndDialog(wnd, 0);
    return true;
  }
  if (msg == WM_CLOSE) {
    EndDialog(wnd, 0);
    return true;
  }
  return false;
}

}  // namespace bench
