// The base of every window object: a C++ object bound to one window handle.
#pragma once
#include <windows.h>

namespace framework {

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND GetSafeHwnd() const { return m_hWnd; }

  // Binds this object to an existing window (a dialog control) so that notifications the
  // parent reflects reach it; Detach undoes it.
  void Attach(HWND wnd);
  HWND Detach();
  // The object bound to a window, or none.
  static CWnd* FromHandlePermanent(HWND wnd);

  // A notification the parent received about this control (WM_DRAWITEM, WM_NOTIFY, ...).
  // Return true when handled, with the message's result in *result.
  virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // Hands a WM_COMMAND, WM_DRAWITEM or WM_NOTIFY about one of this window's controls to that
  // control's object; true when the control handled it.
  bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  HWND m_hWnd = nullptr;
};

// What a dialog procedure returns for a message it did or did not handle: most results travel
// in DWLP_MSGRESULT, a few messages return theirs directly.
INT_PTR DialogProcResult(HWND dialog, UINT msg, bool handled, LRESULT result);

}  // namespace framework
