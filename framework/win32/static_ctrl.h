// A static control of a dialog (text, icon or frame), bound through data exchange.
#pragma once
#include <windows.h>

#include "framework/win32/wnd.h"

namespace framework {

class CStatic : public CWnd {
 public:
  HICON SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessageA(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
  }
  HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
};

}  // namespace framework
