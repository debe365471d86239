#include "framework/win32/property_page.h"

#include "framework/win32/property_sheet.h"
#include "framework/win32/win_app.h"

namespace framework {

CPropertyPage::CPropertyPage(UINT templateId) : m_nIDTemplate(templateId) {
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetInstanceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
  m_psp.pfnDlgProc = &CPropertyPage::PageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnHelp() {
  if (m_pSheet) m_pSheet->WinHelp(kHelpIdResourceBase + m_nIDTemplate, HELP_CONTEXT);
}

void CPropertyPage::SetModified(BOOL changed) {
  if (!m_hWnd || !m_pSheet || !m_pSheet->m_hWnd) return;
  SendMessageA(m_pSheet->m_hWnd, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::UpdateData(BOOL saveAndValidate) {
  NotificationLock lock(*this);
  CDataExchange dx(m_hWnd, saveAndValidate != FALSE);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

BOOL CPropertyPage::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

bool CPropertyPage::OnCommand(WPARAM, LPARAM) { return false; }
bool CPropertyPage::OnNotify(WPARAM, LPARAM, LRESULT*) { return false; }
bool CPropertyPage::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CPropertyPage::HandleSheetNotify(const NMHDR* hdr, LRESULT* result) {
  switch (hdr->code) {
    case PSN_SETACTIVE:
      *result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      *result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY:
      *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      return true;
    case PSN_RESET:
      OnCancel();
      *result = 0;
      return true;
    case PSN_HELP:
      OnHelp();
      *result = 0;
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  CPropertyPage* self = nullptr;
  if (msg == WM_INITDIALOG) {
    // The control hands over its own copy of the page structure; lParam is still this object.
    self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lp)->lParam);
    SetWindowLongPtrA(wnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->Attach(wnd);
    if (self->m_pSheet && !self->m_pSheet->m_hWnd) self->m_pSheet->AttachSheetWindow(GetParent(wnd));
  } else {
    self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(wnd, DWLP_USER));
  }
  if (!self) return FALSE;

  LRESULT result = 0;
  bool handled = false;
  // No exception may unwind through the system's dialog code.
  try {
    handled = self->OnMessage(msg, wp, lp, &result);
    if (!handled) {
      switch (msg) {
        case WM_INITDIALOG:
          return self->OnInitDialog();
        case WM_COMMAND:
          if (lp && self->m_bLockNotify) return TRUE;  // the page is writing its own controls
          handled = self->ReflectToChild(msg, wp, lp, &result) || self->OnCommand(wp, lp);
          break;
        case WM_NOTIFY: {
          const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
          if (!hdr) break;
          if (hdr->hwndFrom == GetParent(wnd)) {
            // From the sheet: the sheet's hook sees it first, then the page handles it, and
            // finally the sheet learns the page's answer.
            CWnd* sheet = FromHandlePermanent(hdr->hwndFrom);
            handled = sheet && sheet->OnChildNotify(msg, wp, lp, &result);
            if (!handled) handled = self->HandleSheetNotify(hdr, &result);
            if (self->m_pSheet) self->m_pSheet->OnPageNotified(self, hdr->code, result);
          } else {
            handled = self->ReflectToChild(msg, wp, lp, &result) || self->OnNotify(wp, lp, &result);
          }
          break;
        }
        default:
          break;
      }
    }
  } catch (...) {
    handled = false;
  }

  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, DWLP_USER, 0);
    self->Detach();
    return FALSE;
  }
  return DialogProcResult(wnd, msg, handled, result);
}

}  // namespace framework
