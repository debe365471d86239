#include "upgrade/win32/centre_window.h"

#include "upgrade/centring.h"

namespace velmora {

void CentreWindowOnScreen(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  const ScreenPoint p = CentreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       r.right - r.left, r.bottom - r.top);
  SetWindowPos(wnd, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SystemUpperCase(std::string& text) {
  CharUpperA(text.data());
}

}  // namespace velmora
