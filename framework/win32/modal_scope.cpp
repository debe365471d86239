#include "framework/win32/modal_scope.h"

namespace framework {

CModalScope::CModalScope() : m_hWndActive(GetActiveWindow()) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM lp) -> BOOL {
        if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(wnd);
          EnableWindow(wnd, FALSE);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&m_disabled));
}

void CModalScope::Restore() {
  if (m_disabled.empty()) return;
  // Newest first, the order the windows were disabled in reversed.
  for (auto it = m_disabled.rbegin(); it != m_disabled.rend(); ++it) {
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  }
  m_disabled.clear();
  // A modal window that went while ours were disabled found none of them to activate.
  if (m_hWndActive && GetActiveWindow() == nullptr && IsWindow(m_hWndActive) && IsWindowVisible(m_hWndActive) &&
      IsWindowEnabled(m_hWndActive)) {
    SetForegroundWindow(m_hWndActive);
  }
}

int ModalMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  CModalScope modal;
  return MessageBoxA(owner, text, caption, type);
}

}  // namespace framework
