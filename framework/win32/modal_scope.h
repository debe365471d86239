// True modality for the program's modal windows and boxes: while one is up, the program's
// other windows take no input. The system's own modal run disables only the owner (and a box
// without an owner disables nothing), so the palette would still take clicks under an unowned
// About box or error box.
#pragma once
#include <windows.h>

#include <vector>

namespace framework {

class CModalScope {
 public:
  // Disables every visible, enabled top-level window of this thread, as the modal window
  // about to be created would wish.
  CModalScope();
  ~CModalScope() { Restore(); }
  CModalScope(const CModalScope&) = delete;
  CModalScope& operator=(const CModalScope&) = delete;

  // Enables again what the scope disabled (call it before the modal window is destroyed, so
  // activation can return to those windows); gives activation back to the window that had it
  // when it went nowhere else of ours. Once only.
  void Restore();

 private:
  std::vector<HWND> m_disabled;
  HWND m_hWndActive;
};

// MessageBoxA under a modal scope: owner, text, caption and flags as given.
int ModalMessageBox(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace framework
