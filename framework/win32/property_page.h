// One page of a property sheet: a dialog from a template, created by COMCTL32's property-sheet
// control, with this object bound to it through PROPSHEETPAGE::lParam.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/win32/data_exchange.h"
#include "framework/win32/wnd.h"

namespace framework {

class CPropertySheet;

class CPropertyPage : public CWnd {
 public:
  // The tab shows the template's caption.
  explicit CPropertyPage(UINT templateId);
  ~CPropertyPage() override = default;

  // The sheet's page notifications, mapped to members.
  virtual BOOL OnSetActive();   // PSN_SETACTIVE; FALSE refuses the activation
  virtual BOOL OnKillActive();  // PSN_KILLACTIVE; validates the fields, FALSE keeps the page
  virtual BOOL OnApply();       // PSN_APPLY; runs OnOK; FALSE keeps the sheet open on this page
  virtual void OnOK() {}
  virtual void OnCancel() {}    // PSN_RESET
  virtual void OnHelp();        // PSN_HELP: the sheet's WinHelp with this page's help id

  // Claims the sheet's Apply button for this page (TRUE) or withdraws the claim (FALSE).
  void SetModified(BOOL changed = TRUE);
  // Runs DoDataExchange in one direction, control notifications held back meanwhile; FALSE
  // when a field was refused.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  CPropertySheet* GetParentSheet() const { return m_pSheet; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  UINT m_nIDTemplate;
  PROPSHEETPAGEA m_psp{};

 protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  // A command from a control; true when handled.
  virtual bool OnCommand(WPARAM wp, LPARAM lp);
  // A notification from a control of the page (not from the sheet); true when handled.
  virtual bool OnNotify(WPARAM wp, LPARAM lp, LRESULT* result);
  // Any message before the framework's own handling; true when handled.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // While held, control notifications (EN_CHANGE from text the page writes itself) are ignored.
  class NotificationLock {
   public:
    explicit NotificationLock(CPropertyPage& page) : m_page(page), m_bOld(page.m_bLockNotify) {
      page.m_bLockNotify = true;
    }
    ~NotificationLock() { m_page.m_bLockNotify = m_bOld; }
    NotificationLock(const NotificationLock&) = delete;
    NotificationLock& operator=(const NotificationLock&) = delete;

   private:
    CPropertyPage& m_page;
    bool m_bOld;
  };

 private:
  friend class CPropertySheet;
  bool HandleSheetNotify(const NMHDR* hdr, LRESULT* result);
  static INT_PTR CALLBACK PageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  CPropertySheet* m_pSheet = nullptr;
  bool m_bLockNotify = false;
};

}  // namespace framework
