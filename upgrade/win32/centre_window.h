// Puts a dialog of the upgrade course in the middle of the screen.
#pragma once
#include <windows.h>

#include <string>

namespace velmora {

// Moves the window; its size and place in the z-order stay.
void CentreWindowOnScreen(HWND wnd);

// Upper-cases 8-bit text the system's way (CharUpperA).
void SystemUpperCase(std::string& text);

}  // namespace velmora
