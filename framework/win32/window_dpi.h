// The DPI a window is drawn in. GetDpiForWindow and GetDpiForSystem exist from Windows 10
// 1607 on and are looked up at run time; before, the screen's LOGPIXELSX is every window's DPI.
#pragma once
#include <windows.h>

namespace framework {

// The window's own DPI; the system's for a null window.
UINT WindowDpi(HWND wnd);

}  // namespace framework
