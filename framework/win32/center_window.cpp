#include "framework/win32/center_window.h"

#include "framework/centring.h"

namespace framework {
namespace {
ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

void CenterWindow(HWND wnd, Centring placement) {
  if (!wnd) return;
  RECT own{};
  GetWindowRect(wnd, &own);
  ScreenPoint p{};
  if (placement == Centring::kOnScreen) {
    p = CentreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), own.right - own.left,
                       own.bottom - own.top);
  } else {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT over = work;
    HWND owner = GetWindow(wnd, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &over);
    p = CentreOverKeptInWorkArea(FromRect(own), FromRect(over), FromRect(work));
  }
  SetWindowPos(wnd, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace framework
