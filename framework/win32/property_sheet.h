// A property sheet on COMCTL32's PropertySheetA, run modally with our own message loop so that
// every message passes the application's filter, as CDialog's modal run does.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/win32/wnd.h"

namespace framework {

class CPropertyPage;

// Help ids of pages: this base plus the page's template id.
constexpr DWORD kHelpIdResourceBase = 0x20000;

class CPropertySheet : public CWnd {
 public:
  // captionId: a string resource; parent: owner, disabled while the sheet runs.
  explicit CPropertySheet(UINT captionId, HWND parent = nullptr, UINT startPage = 0);
  ~CPropertySheet() override;

  // Pages are shown in the order added; the sheet does not own them.
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const;

  // Shows the sheet (OK, Cancel, Apply, Help) and waits until it is closed. IDOK when it was
  // closed with OK, IDCANCEL otherwise, -1 when it could not be created. A quit request ends
  // the run and is handed on to the enclosing loop.
  virtual INT_PTR DoModal();

  // Help for the active page; by default context `data` of the HTML Help file named after the
  // program, beside it.
  virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

  // A page has handled a notification of the sheet control (PSN_APPLY ...) and answered result.
  // Runs after the sheet's OnChildNotify and the page's own handling.
  virtual void OnPageNotified(CPropertyPage* page, UINT code, LRESULT result);

  HWND m_hWndParent;

 protected:
  // The sheet window's own messages; true when handled. Runs before the default handling.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  // WM_ACTIVATE, after the default handling.
  virtual void OnActivate(UINT state, HWND other, BOOL minimized);

 private:
  friend class CPropertyPage;
  void AttachSheetWindow(HWND wnd);
  static int CALLBACK SheetCallback(HWND wnd, UINT msg, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

  UINT m_nIDCaption;
  UINT m_nStartPage;
  std::string m_strCaption;
  std::vector<CPropertyPage*> m_pages;
};

}  // namespace framework
