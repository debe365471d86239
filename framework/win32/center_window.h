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

// Moves the window, when it sticks out, into the work area of the monitor it stands on (the
// nearest one when on none), so every button of it can be reached.
void KeepInWorkArea(HWND wnd);

}  // namespace framework
