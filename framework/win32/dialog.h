// Dialogs from resource templates, with one C++ object bound to each dialog window: run
// modally by the framework, or created as pages by a property sheet (CPropertyPage).
#pragma once
#include <windows.h>

#include "framework/win32/data_exchange.h"
#include "framework/win32/wnd.h"

namespace framework {

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr);

  // Creates the dialog, disables its owner and runs the framework's modal loop. Ends on
  // EndDialog or on a quit request (which is handed on to the enclosing loop). Returns the
  // EndDialog result, or -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  // Runs DoDataExchange in one direction, control notifications held back meanwhile; FALSE
  // when a field was refused.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Destroys the window at the end of the modal run.
  virtual BOOL DestroyWindow();

  // True once a key of this run has asked for keyboard cues (Tab, an arrow, Alt): a control
  // that draws its own focus cue waits for it, whatever the system's setting, so a dialog used
  // with the mouse looks as it always has.
  bool KeyboardUsed() const { return m_bKeyboardUsed; }

  UINT m_nIDTemplate;
  HWND m_hWndParent;

 protected:
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange*) {}
  // A command from a control or menu; true when handled.
  virtual bool OnCommand(WPARAM wp, LPARAM lp);
  // A notification from a control that the control's own object did not take; true when handled.
  virtual bool OnNotify(WPARAM wp, LPARAM lp, LRESULT* result);
  // Any message before the framework's own handling; true when handled, with its result.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // While held, control notifications (EN_CHANGE from text the dialog writes itself) are ignored.
  class NotificationLock {
   public:
    explicit NotificationLock(CDialog& dialog) : m_dialog(dialog), m_bOld(dialog.m_bLockNotify) {
      dialog.m_bLockNotify = true;
    }
    ~NotificationLock() { m_dialog.m_bLockNotify = m_bOld; }
    NotificationLock(const NotificationLock&) = delete;
    NotificationLock& operator=(const NotificationLock&) = delete;

   private:
    CDialog& m_dialog;
    bool m_bOld;
  };

  // Creation parameter of every dialog window of the framework: the property-sheet control
  // hands its pages their PROPSHEETPAGE, so a modal run hands over one too; lParam is the object.
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  // Hooks for pages: the object has just been bound to its window; a WM_NOTIFY arrived (by
  // default for the control's object, then OnNotify).
  virtual void OnAttached() {}
  virtual bool OnNotifyMessage(WPARAM wp, LPARAM lp, LRESULT* result);

 private:
  bool HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  bool m_bEnded = false;
  bool m_bKeyboardUsed = false;
  bool m_bLockNotify = false;
  int m_nResult = -1;
};

}  // namespace framework
