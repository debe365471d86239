#include "framework/win32/dialog.h"

#include <commctrl.h>

#include "framework/win32/center_window.h"
#include "framework/win32/keyboard_cues.h"
#include "framework/win32/modal_run.h"
#include "framework/win32/win_app.h"
#include "framework/win32/window_failure.h"

namespace framework {

CDialog::CDialog(UINT templateId, HWND parent) : m_nIDTemplate(templateId), m_hWndParent(parent) {}

INT_PTR CDialog::DoModal() {
  m_bEnded = false;
  m_bKeyboardUsed = false;
  m_nResult = -1;
  CModalRun run(m_hWndParent);
  PROPSHEETPAGEA creation{};
  creation.dwSize = sizeof creation;
  creation.lParam = reinterpret_cast<LPARAM>(this);
  HWND wnd = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), m_hWndParent,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(&creation));
  if (!wnd) return -1;
  run.Begin();
  if (!m_bEnded && !IsWindowVisible(wnd)) ShowWindow(wnd, SW_SHOWNORMAL);
  run.Run([this] { return !m_bEnded; },
          [this](MSG* msg) {
            if (!m_hWnd) return false;
            const WORD cues = CuesRevealedBy(*msg);
            if (cues && (msg->hwnd == m_hWnd || IsChild(m_hWnd, msg->hwnd))) {
              m_bKeyboardUsed = true;
              ShowKeyboardCues(m_hWnd, cues);
            }
            return IsDialogMessageA(m_hWnd, msg) != FALSE;
          });
  run.End(m_hWnd);
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
  NotificationLock lock(*this);
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
  const WORD id = LOWORD(wp);
  if (id == IDOK) OnOK();
  if (id == IDCANCEL) OnCancel();
  return id == IDOK || id == IDCANCEL;
}

bool CDialog::OnNotify(WPARAM, LPARAM, LRESULT*) { return false; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CDialog::OnNotifyMessage(WPARAM wp, LPARAM lp, LRESULT* result) {
  return ReflectToChild(WM_NOTIFY, wp, lp, result) || OnNotify(wp, lp, result);
}

bool CDialog::HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_INITDIALOG: {
      // A top-level dialog that is still hidden and that its initialisation did not place is
      // centred, over its owner or the work area. A page is placed by its sheet.
      RECT before{};
      GetWindowRect(wnd, &before);
      const bool placed = IsWindowVisible(wnd) || (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) != 0;
      *result = OnInitDialog();
      RECT after{};
      GetWindowRect(wnd, &after);
      if (!placed && EqualRect(&before, &after)) CenterWindow(wnd);
      if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) KeepInWorkArea(wnd);
      return true;
    }
    case WM_COMMAND:
      if (lp && m_bLockNotify) return true;  // the dialog is writing its own controls
      return ReflectToChild(msg, wp, lp, result) || OnCommand(wp, lp);
    case WM_DRAWITEM:
      return ReflectToChild(msg, wp, lp, result);
    case WM_NOTIFY:
      return lp && OnNotifyMessage(wp, lp, result);
    default:
      return false;
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  CDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    // The control hands over its own copy of the creation record; lParam is still the object.
    self = reinterpret_cast<CDialog*>(reinterpret_cast<const PROPSHEETPAGEA*>(lp)->lParam);
    self->Attach(wnd);
    self->OnAttached();
  } else {
    // Only dialogs of this procedure are bound to their windows through it.
    self = static_cast<CDialog*>(FromHandlePermanent(wnd));
  }
  if (!self) return FALSE;

  LRESULT result = 0;
  bool handled = false;
  HWND volatile failing = wnd;  // in memory for the handler, as in CPopupWnd::WndProc
  // No exception may unwind through the system's dialog code.
  try {
    handled = self->OnMessage(msg, wp, lp, &result) || self->HandleMessage(wnd, msg, wp, lp, &result);
  } catch (...) {
    EndOnWindowException(failing);
  }

  if (msg == WM_NCDESTROY) {
    self->m_bEnded = true;  // a window destroyed from outside ends its modal run too
    self->Detach();
    return FALSE;
  }
  return DialogProcResult(wnd, msg, handled, result);
}

}  // namespace framework
