// What the window-watch hook reports to a test, and how it finds the test.
#pragma once
#include <windows.h>

namespace window_watch {

constexpr char kReceiverClass[] = "VelmoraTestWindowWatch";
constexpr char kClassPrefix[] = "VelmoraWnd:";  // classes the framework registers for popups
constexpr ULONG_PTR kCopyDataTag = 0x57415443;
constexpr int kShown = 1;
constexpr int kDestroyed = 2;
constexpr int kPainted = 3;  // after a WM_PAINT, when the window shows its content

struct Event {
  int event;
  DWORD pid;
  RECT rect;
  int visible;
};

}  // namespace window_watch
