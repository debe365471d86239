#include "framework/win32/center_window.h"

#include "framework/centring.h"

namespace framework {
namespace {
ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT WorkAreaOf(HWND wnd) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}
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
    HWND owner = GetWindow(wnd, GW_OWNER);
    const bool overOwner = owner && IsWindowVisible(owner) && !IsIconic(owner);
    const RECT work = WorkAreaOf(overOwner ? owner : wnd);
    RECT over = work;
    if (overOwner) GetWindowRect(owner, &over);
    p = CentreOverKeptInWorkArea(FromRect(own), FromRect(over), FromRect(work));
  }
  SetWindowPos(wnd, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeepInWorkArea(HWND wnd) {
  if (!wnd) return;
  RECT own{};
  GetWindowRect(wnd, &own);
  const ScreenPoint p = KeptInWorkArea(FromRect(own), FromRect(WorkAreaOf(wnd)));
  if (p.left == own.left && p.top == own.top) return;
  SetWindowPos(wnd, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace framework
