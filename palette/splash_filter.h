// Which messages of the program's loop end the start-up picture: key and mouse-button presses,
// in the client and the non-client area. Releases, moves and double-clicks do not.
#pragma once

namespace velmora {

namespace splash_messages {
constexpr unsigned kKeyDown = 0x0100;         // WM_KEYDOWN
constexpr unsigned kSysKeyDown = 0x0104;      // WM_SYSKEYDOWN
constexpr unsigned kLButtonDown = 0x0201;     // WM_LBUTTONDOWN
constexpr unsigned kRButtonDown = 0x0204;     // WM_RBUTTONDOWN
constexpr unsigned kMButtonDown = 0x0207;     // WM_MBUTTONDOWN
constexpr unsigned kNcLButtonDown = 0x00A1;   // WM_NCLBUTTONDOWN
constexpr unsigned kNcRButtonDown = 0x00A4;   // WM_NCRBUTTONDOWN
constexpr unsigned kNcMButtonDown = 0x00A7;   // WM_NCMBUTTONDOWN
}  // namespace splash_messages

bool SplashEndsOn(unsigned message);

}  // namespace velmora
