#include "framework/win32/dialog.h"

#include "framework/win32/center_window.h"
#include "framework/win32/modal_scope.h"
#include "framework/win32/win_app.h"

namespace framework {

CDialog::CDialog(UINT templateId, HWND parent) : m_nIDTemplate(templateId), m_hWndParent(parent) {}

INT_PTR CDialog::DoModal() {
  HWND owner = m_hWndParent;
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  m_bEnded = false;
  m_nResult = -1;
  CModalScope modal;
  HWND wnd = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!wnd) return -1;
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  if (!m_bEnded && !IsWindowVisible(wnd)) ShowWindow(wnd, SW_SHOWNORMAL);

  CWinApp* app = AfxGetApp();
  MSG msg;
  while (!m_bEnded) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // A quit request ends this run and every enclosing one.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (app && app->PreTranslateMessage(&msg)) continue;
    if (m_hWnd && IsDialogMessageA(m_hWnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  modal.Restore();
  if (owner && GetActiveWindow() == m_hWnd) SetActiveWindow(owner);
  if (m_hWnd) DestroyWindow();
  return m_nResult;
}

void CDialog::EndDialog(int result) {
  m_nResult = result;
  m_bEnded = true;
  // Wake the loop so it notices the end even when no other message is queued.
  if (m_hWnd) PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::DestroyWindow() {
  HWND wnd = m_hWnd;
  return wnd ? ::DestroyWindow(wnd) : FALSE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(m_hWnd, saveAndValidate != FALSE);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wp, LPARAM) {
  switch (LOWORD(wp)) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  CDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lp);
    SetWindowLongPtrA(wnd, DWLP_USER, lp);
    self->Attach(wnd);
  } else {
    self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(wnd, DWLP_USER));
  }
  if (!self) return FALSE;

  LRESULT result = 0;
  bool handled = false;
  // No exception may unwind through the system's dialog code.
  try {
    handled = self->OnMessage(msg, wp, lp, &result);
    if (!handled) {
      switch (msg) {
        case WM_INITDIALOG: {
          // A dialog that is still hidden and that its initialisation did not place is
          // centred, over its owner or the work area.
          RECT before{};
          GetWindowRect(wnd, &before);
          const bool wasVisible = IsWindowVisible(wnd) != FALSE;
          result = self->OnInitDialog();
          handled = true;
          RECT after{};
          GetWindowRect(wnd, &after);
          if (!wasVisible && EqualRect(&before, &after)) CenterWindow(wnd);
          break;
        }
        case WM_COMMAND:
          handled = self->ReflectToChild(msg, wp, lp, &result) || self->OnCommand(wp, lp);
          break;
        case WM_DRAWITEM:
        case WM_NOTIFY:
          handled = self->ReflectToChild(msg, wp, lp, &result);
          break;
        default:
          break;
      }
    }
  } catch (...) {
    handled = false;
  }

  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, DWLP_USER, 0);
    self->m_bEnded = true;  // a window destroyed from outside ends its modal run too
    self->Detach();
    return FALSE;
  }
  return DialogProcResult(wnd, msg, handled, result);
}

}  // namespace framework
