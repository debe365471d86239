#include "framework/win32/property_page.h"

#include "framework/win32/property_sheet.h"
#include "framework/win32/win_app.h"

namespace framework {

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetInstanceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
  m_psp.pfnDlgProc = &CDialog::DialogProc;
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

bool CPropertyPage::OnCommand(WPARAM, LPARAM) { return false; }

void CPropertyPage::OnAttached() {
  if (m_pSheet && !m_pSheet->m_hWnd) m_pSheet->AttachSheetWindow(GetParent(m_hWnd));
}

bool CPropertyPage::OnNotifyMessage(WPARAM wp, LPARAM lp, LRESULT* result) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  if (hdr->hwndFrom != GetParent(m_hWnd)) return CDialog::OnNotifyMessage(wp, lp, result);
  // From the sheet: the sheet's hook sees it first, then the page handles it, and finally the
  // sheet learns the page's answer.
  CWnd* sheet = FromHandlePermanent(hdr->hwndFrom);
  bool handled = sheet && sheet->OnChildNotify(WM_NOTIFY, wp, lp, result);
  if (!handled) handled = HandleSheetNotify(hdr, result);
  if (m_pSheet) m_pSheet->OnPageNotified(this, hdr->code, *result);
  return handled;
}

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

}  // namespace framework
