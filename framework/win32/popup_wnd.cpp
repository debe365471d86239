#include "framework/win32/popup_wnd.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "framework/win32/center_window.h"
#include "framework/win32/class_registration.h"
#include "framework/win32/win_app.h"
#include "framework/win32/window_failure.h"

namespace framework {

BOOL CPopupWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                         int width, int height, HWND owner, HMENU menu) {
  HWND wnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, owner, menu,
                             AfxGetInstanceHandle(), this);
  return wnd ? TRUE : FALSE;
}

void CPopupWnd::CenterWindow() { framework::CenterWindow(m_hWnd); }

LRESULT CPopupWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK CPopupWnd::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  CPopupWnd* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<CPopupWnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self) self->Attach(wnd);
  } else {
    self = static_cast<CPopupWnd*>(FromHandlePermanent(wnd));
  }
  if (!self) return DefWindowProcA(wnd, msg, wp, lp);

  LRESULT result = 0;
  // Kept in memory for the handler: a register holding it is not always restored when an
  // exception is caught here under Wine (seen as a null window).
  HWND volatile failing = wnd;
  // No exception may unwind through the system's window code.
  try {
    result = self->WindowProc(msg, wp, lp);
  } catch (...) {
    EndOnWindowException(failing);
  }
  if (msg == WM_NCDESTROY) {
    self->Detach();
    self->PostNcDestroy();  // may delete the object: nothing may touch it afterwards
  }
  return result;
}

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  // One class per combination, named after it, kept for the life of the process.
  static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> names;
  const auto key = std::make_tuple(classStyle, cursor, background, icon);
  auto found = names.find(key);
  if (found != names.end()) return found->second.c_str();

  char name[96];
  std::snprintf(name, sizeof name, "VelmoraWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = &CPopupWnd::WndProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  if (!AfxRegisterClass(&wc)) return nullptr;
  return names.emplace(key, name).first->second.c_str();
}

}  // namespace framework
