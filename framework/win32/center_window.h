// The framework's window centring.
#pragma once
#include <windows.h>

namespace framework {

// Centres a window over its owner when the owner is visible and not minimised, else over the
// work area, and keeps it inside the work area (its top-left corner winning when too large).
void CenterWindow(HWND wnd);

}  // namespace framework
