#include "upgrade/centring.h"

namespace velmora {

ScreenPoint CentreOnScreen(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight) {
  return {(screenWidth - dialogWidth) / 2, (screenHeight - dialogHeight) / 2};
}

}  // namespace velmora
