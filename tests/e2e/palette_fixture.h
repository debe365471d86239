// Helpers for the palette's end-to-end tests: find the palette, read its controls' places,
// and compare what the screen shows with a picture of the program's resources.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/robot/robot.h"

namespace palette_e2e {

// Waits for the palette of the process; fails the test (and returns none) when it does not come.
HWND WaitForPalette(const robot::Process& p);
// A control's window rectangle relative to another control's top-left corner.
RECT RectRelativeTo(HWND wnd, HWND origin);
RECT ScreenRect(HWND wnd);
// A click of the real mouse (through the system's input queue) in the middle of a window, as
// a person's would be: it reaches a window only when that window takes input.
void ClickWithTheMouse(HWND wnd);
// Clicks the window with the mouse until what the click brings holds, as a person clicks again
// when nothing happened: under Wine a click that comes just as the window's top-level window
// takes the foreground is now and then lost on the way. Three clicks at most, each after the
// window is brought forward again; false if none brought it. Only for a click on a freshly
// shown palette, whose activation no test is about: a course that tests the palette's input or
// activation clicks once.
bool ClickUntil(HWND wnd, const std::function<bool()>& answered);
// True once the window is enabled again and its thread has come back to its message loop, so
// that input sent next is handled by that window (the program re-enables its windows just after
// a modal box or dialog has gone).
bool WaitUntilTakesInput(HWND wnd);

// 0x00RRGGBB pixels, rows top-down.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
};
// What the screen shows in a rectangle.
Pixels CaptureScreen(const RECT& r);
// A bitmap resource of Velmora.exe, by name.
Pixels ProgramPicture(const char* name);
// An icon of Velmora.exe as drawn at side x side pixels over a ground of one colour.
Pixels ProgramIcon(int id, int side, COLORREF ground);
// Number of pixels that differ (sizes must match; a size mismatch counts every pixel).
int DifferentPixels(const Pixels& a, const Pixels& b);

}  // namespace palette_e2e
