#include "framework/centring.h"

namespace framework {

ScreenPoint CentreOverKeptInWorkArea(const ScreenRect& window, const ScreenRect& over, const ScreenRect& work) {
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  const int x = (over.left + over.right) / 2 - w / 2;
  const int y = (over.top + over.bottom) / 2 - h / 2;
  return KeptInWorkArea({x, y, x + w, y + h}, work);
}

ScreenPoint KeptInWorkArea(const ScreenRect& window, const ScreenRect& work) {
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  int x = window.left;
  int y = window.top;
  if (x + w > work.right) x = work.right - w;
  if (x < work.left) x = work.left;
  if (y + h > work.bottom) y = work.bottom - h;
  if (y < work.top) y = work.top;
  return {x, y};
}

ScreenPoint CentreOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

}  // namespace framework
