// A window of our own class (not a dialog) with its object bound through the creation
// parameter. The object hears PostNcDestroy after the window is gone, where a window that
// owns itself deletes itself.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win32/wnd.h"

namespace framework {

class CPopupWnd : public CWnd {
 public:
  // Creates the window; false when it could not be created (also when its WM_CREATE failed).
  // Afterwards `this` may already be gone if the window was destroyed during creation and
  // PostNcDestroy deleted the object: callers of self-deleting windows must not touch it.
  BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                int height, HWND owner, HMENU menu);

  // Centres over the owner when it is visible and not minimised, else over the work area,
  // and keeps the window inside the work area.
  void CenterWindow();

  BOOL DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

 protected:
  // Every message of the window; the default is the system's default handling.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(m_hWnd, msg, wp, lp); }
  // After WM_NCDESTROY, when the object is no longer bound to a window.
  virtual void PostNcDestroy() {}

 public:
  // The procedure of every class from AfxRegisterWndClass.
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
};

// Registers (once) a window class with the framework's window procedure and these
// attributes, and returns its name.
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);

}  // namespace framework
