// The palette: the program's main window, a modal dialog on template 102.
#pragma once
#include "framework/win32/dialog.h"

namespace velmora {

class CMainPalette : public framework::CDialog {
 public:
  explicit CMainPalette(HWND parent = nullptr);

  // The cache state the palette shows: 1 active, 0 inactive; read once from the driver here.
  int m_nActivationState;
};

}  // namespace velmora
