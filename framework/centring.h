// Where a window goes when the framework centres it: two placements, both truncating halves.
#pragma once

namespace framework {

struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct ScreenPoint {
  int left;
  int top;
};

// Over `over` (a visible owner, else the work area), then kept inside the work area: when the
// window is larger, its top-left corner wins.
ScreenPoint CentreOverKeptInWorkArea(const ScreenRect& window, const ScreenRect& over, const ScreenRect& work);

// Where the window goes to lie inside the work area: unmoved when it already does; else pushed
// in from the right and bottom edges, then from the left and top, so a window larger than the
// work area keeps its top-left corner (and so its caption) inside.
ScreenPoint KeptInWorkArea(const ScreenRect& window, const ScreenRect& work);

// The middle of the screen: (screen - window) / 2 in each direction, truncating toward zero, so
// a window larger than the screen gets a negative origin, as the system would place it.
ScreenPoint CentreOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace framework
