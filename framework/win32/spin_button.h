// An up-down control bound to a dialog control. Positions and ranges travel as 16-bit values,
// as the control keeps them.
#pragma once
#include <windows.h>

#include "framework/win32/wnd.h"

namespace framework {

class CSpinButtonCtrl : public CWnd {
 public:
  // Sends the low 16 bits of pos; returns the previous position.
  int SetPos(int pos);
  // Upper limit in the low word, lower limit in the high word.
  void SetRange(int lower, int upper);
};

}  // namespace framework
