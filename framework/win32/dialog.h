// Modal dialogs from resource templates, with one C++ object bound to each dialog window.
#pragma once
#include <windows.h>

#include "framework/win32/data_exchange.h"
#include "framework/win32/wnd.h"

namespace framework {

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr);

  // Creates the dialog, disables its owner and runs a message loop that passes every message
  // through the application's filter first. Ends on EndDialog or on a quit request (which is
  // handed on to the enclosing loop). Returns the EndDialog result, or -1 when the dialog
  // could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  // Runs DoDataExchange; false when a field was refused.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Destroys the window at the end of the modal run.
  virtual BOOL DestroyWindow();

  UINT m_nIDTemplate;
  HWND m_hWndParent;

 protected:
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange*) {}
  // A command from a control or menu; true when handled.
  virtual bool OnCommand(WPARAM wp, LPARAM lp);
  // Any message before the framework's own handling; true when handled, with its result.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  bool m_bEnded = false;
  int m_nResult = -1;
};

}  // namespace framework
