#include "framework/win32/window_dpi.h"

namespace framework {
namespace {

using GetDpiForWindowFn = UINT WINAPI(HWND);
using GetDpiForSystemFn = UINT WINAPI();

template <typename Fn>
Fn* User32Entry(const char* entry) {
  // USER32 is loaded by every window program: its handle needs no release.
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(user32, entry)));
}

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return USER_DEFAULT_SCREEN_DPI;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND wnd) {
  static GetDpiForWindowFn* const forWindow = User32Entry<GetDpiForWindowFn>("GetDpiForWindow");
  static GetDpiForSystemFn* const forSystem = User32Entry<GetDpiForSystemFn>("GetDpiForSystem");
  UINT dpi = 0;
  if (wnd && forWindow) dpi = forWindow(wnd);
  if (dpi == 0 && forSystem) dpi = forSystem();
  return dpi != 0 ? dpi : ScreenDpi();
}

}  // namespace framework
