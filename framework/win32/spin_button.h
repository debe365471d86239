// An up-down control bound to a dialog control. Positions and ranges travel as 16-bit values,
// as the control keeps them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/win32/wnd.h"

namespace framework {

class CSpinButtonCtrl : public CWnd {
 public:
  // Creates a control; it never writes thousands separators into its buddy, since the integer
  // exchange refuses them.
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // Sends the low 16 bits of pos; returns the previous position.
  int SetPos(int pos);
  int GetPos() const;
  // Upper limit in the low word, lower limit in the high word.
  void SetRange(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  HWND SetBuddy(HWND buddy);
  HWND GetBuddy() const;
  bool Wraps() const { return (GetWindowLongA(m_hWnd, GWL_STYLE) & UDS_WRAP) != 0; }
};

}  // namespace framework
