#include "framework/win32/modal_run.h"

#include "framework/win32/win_app.h"

namespace framework {

CModalRun::CModalRun(HWND owner) : m_hWndOwner(owner), m_bOwnerWasEnabled(owner && IsWindowEnabled(owner)) {}

void CModalRun::Begin() {
  if (m_bOwnerWasEnabled) EnableWindow(m_hWndOwner, FALSE);
}

void CModalRun::Run(const std::function<bool()>& keepRunning, const std::function<bool(MSG*)>& isDialogMessage) {
  CWinApp* app = AfxGetApp();
  MSG msg;
  while (keepRunning()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (app && app->PreTranslateMessage(&msg)) continue;
    if (isDialogMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void CModalRun::End(HWND wnd) {
  if (m_bOwnerWasEnabled) EnableWindow(m_hWndOwner, TRUE);
  m_scope.Restore();
  if (m_hWndOwner && GetActiveWindow() == wnd) SetActiveWindow(m_hWndOwner);
}

}  // namespace framework
