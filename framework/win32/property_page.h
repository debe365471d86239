// One page of a property sheet: a dialog from a template, created by COMCTL32's property-sheet
// control, with this object bound to it through PROPSHEETPAGE::lParam.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/win32/dialog.h"

namespace framework {

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  // The tab shows the template's caption.
  explicit CPropertyPage(UINT templateId);

  // The sheet's page notifications, mapped to members.
  virtual BOOL OnSetActive();   // PSN_SETACTIVE; FALSE refuses the activation
  virtual BOOL OnKillActive();  // PSN_KILLACTIVE; validates the fields, FALSE keeps the page
  virtual BOOL OnApply();       // PSN_APPLY; runs OnOK; FALSE keeps the sheet open on this page
  void OnOK() override {}
  void OnCancel() override {}   // PSN_RESET
  virtual void OnHelp();        // PSN_HELP: the sheet's WinHelp with this page's help id

  // Claims the sheet's Apply button for this page (TRUE) or withdraws the claim (FALSE).
  void SetModified(BOOL changed = TRUE);
  CPropertySheet* GetParentSheet() const { return m_pSheet; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  PROPSHEETPAGEA m_psp{};

 protected:
  // OK and Cancel belong to the sheet; a page's own commands go to its members only.
  bool OnCommand(WPARAM wp, LPARAM lp) override;

 private:
  friend class CPropertySheet;
  void OnAttached() override;
  bool OnNotifyMessage(WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool HandleSheetNotify(const NMHDR* hdr, LRESULT* result);

  CPropertySheet* m_pSheet = nullptr;
};

}  // namespace framework
