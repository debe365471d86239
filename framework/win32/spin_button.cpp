#include "framework/win32/spin_button.h"

#include "framework/win32/common_controls.h"
#include "framework/win32/win_app.h"

namespace framework {

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  AfxInitCommonControls();
  HWND wnd = CreateWindowExA(0, UPDOWN_CLASSA, "", style | UDS_NOTHOUSANDS | WS_CHILD, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
  if (!wnd) return FALSE;
  Attach(wnd);
  return TRUE;
}

int CSpinButtonCtrl::SetPos(int pos) {
  const auto low = static_cast<WORD>(static_cast<unsigned>(pos) & 0xFFFFu);
  return static_cast<short>(LOWORD(SendMessageA(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(low, 0))));
}

int CSpinButtonCtrl::GetPos() const {
  return static_cast<short>(LOWORD(SendMessageA(m_hWnd, UDM_GETPOS, 0, 0)));
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
  SendMessageA(m_hWnd, UDM_SETRANGE, 0,
               MAKELPARAM(static_cast<WORD>(static_cast<unsigned>(upper) & 0xFFFFu),
                          static_cast<WORD>(static_cast<unsigned>(lower) & 0xFFFFu)));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  const auto r = static_cast<DWORD>(SendMessageA(m_hWnd, UDM_GETRANGE, 0, 0));
  lower = static_cast<short>(HIWORD(r));
  upper = static_cast<short>(LOWORD(r));
}

HWND CSpinButtonCtrl::SetBuddy(HWND buddy) {
  return reinterpret_cast<HWND>(SendMessageA(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0));
}

HWND CSpinButtonCtrl::GetBuddy() const { return reinterpret_cast<HWND>(SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0)); }

}  // namespace framework
