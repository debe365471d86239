#include "framework/win32/keyboard_cues.h"

namespace framework {

void InitializeKeyboardCues(HWND dialog) {
  if (dialog) SendMessageA(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

WORD CuesRevealedBy(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU) return UISF_HIDEFOCUS | UISF_HIDEACCEL;
  if (msg.message != WM_KEYDOWN) return 0;
  switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return UISF_HIDEFOCUS;
    default:
      return 0;
  }
}

void ShowKeyboardCues(HWND dialog, WORD cues) {
  if (!dialog || !cues) return;
  const auto hidden = static_cast<WORD>(SendMessageA(dialog, WM_QUERYUISTATE, 0, 0) & cues);
  if (hidden) SendMessageA(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, hidden), 0);
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) InvalidateRect(focus, nullptr, FALSE);
}

}  // namespace framework
