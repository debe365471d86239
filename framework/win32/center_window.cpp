#include "framework/win32/center_window.h"

namespace framework {

void CenterWindow(HWND wnd) {
  if (!wnd) return;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT centreOn = work;
  HWND owner = GetWindow(wnd, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &centreOn);

  RECT own{};
  GetWindowRect(wnd, &own);
  const int w = own.right - own.left;
  const int h = own.bottom - own.top;
  int x = (centreOn.left + centreOn.right) / 2 - w / 2;
  int y = (centreOn.top + centreOn.bottom) / 2 - h / 2;
  if (x + w > work.right) x = work.right - w;
  if (x < work.left) x = work.left;
  if (y + h > work.bottom) y = work.bottom - h;
  if (y < work.top) y = work.top;
  SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace framework
