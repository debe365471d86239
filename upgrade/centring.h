// Where a dialog of the upgrade course goes: the middle of the screen.
#pragma once

namespace velmora {

struct ScreenPoint {
  int left;
  int top;
};

// (screen - dialog) / 2 in each direction, truncating toward zero; a dialog larger than the
// screen gets a negative origin, as the system would place it.
ScreenPoint CentreOnScreen(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight);

}  // namespace velmora
