// The one modal run of the framework, shared by modal dialogs and property sheets.
#pragma once
#include <windows.h>

#include <functional>

#include "framework/win32/modal_scope.h"

namespace framework {

class CModalRun {
 public:
  // Before the modal window is created: notes whether the owner is enabled and disables the
  // program's other windows.
  explicit CModalRun(HWND owner);
  CModalRun(const CModalRun&) = delete;
  CModalRun& operator=(const CModalRun&) = delete;

  // The modal window exists: its owner takes no input until End.
  void Begin();
  // Takes messages while keepRunning() holds; each passes the application's filter, then
  // isDialogMessage (the window's keyboard handling), then is dispatched. A quit request ends
  // this run and, posted again, every enclosing one.
  void Run(const std::function<bool()>& keepRunning, const std::function<bool(MSG*)>& isDialogMessage);
  // Before the modal window is destroyed: enables what the run disabled and gives activation
  // back to the owner when the modal window (wnd) had it.
  void End(HWND wnd);

 private:
  HWND m_hWndOwner;
  bool m_bOwnerWasEnabled;
  CModalScope m_scope;
};

// Lets the thread's windows live for `ms` while no modal window runs (a start-up picture while
// the program waits): every message passes the application's filter, then is dispatched.
// False when a quit request came; it is posted again for the loop that owns it.
bool PumpMessagesFor(DWORD ms);

}  // namespace framework
