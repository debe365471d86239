// The framework's window centring (framework/centring.h holds the arithmetic).
#pragma once
#include <windows.h>

namespace framework {

enum class Centring {
  // Over the owner when it is visible and not minimised, else over the work area, and kept
  // inside the work area: dialogs, the start-up picture.
  kOverOwnerOrWorkArea,
  // The middle of the whole screen: the dialogs of the upgrade course.
  kOnScreen,
};

// Moves the window; its size and place in the z-order stay.
void CenterWindow(HWND wnd, Centring placement = Centring::kOverOwnerOrWorkArea);

}  // namespace framework
