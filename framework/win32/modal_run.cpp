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

bool PumpMessagesFor(DWORD ms) {
  CWinApp* app = AfxGetApp();
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      if (app && app->PreTranslateMessage(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

}  // namespace framework
