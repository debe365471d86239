#include "framework/win32/spin_button.h"

#include <commctrl.h>

namespace framework {

int CSpinButtonCtrl::SetPos(int pos) {
  const auto low = static_cast<WORD>(static_cast<unsigned>(pos) & 0xFFFFu);
  return static_cast<short>(LOWORD(SendMessageA(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(low, 0))));
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
  SendMessageA(m_hWnd, UDM_SETRANGE, 0,
               MAKELPARAM(static_cast<WORD>(static_cast<unsigned>(upper) & 0xFFFFu),
                          static_cast<WORD>(static_cast<unsigned>(lower) & 0xFFFFu)));
}

}  // namespace framework
