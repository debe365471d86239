#include "palette/splash_filter.h"

namespace velmora {

bool SplashEndsOn(unsigned message) {
  using namespace splash_messages;
  switch (message) {
    case kKeyDown: case kSysKeyDown:
    case kLButtonDown: case kRButtonDown: case kMButtonDown:
    case kNcLButtonDown: case kNcRButtonDown: case kNcMButtonDown:
      return true;
    default:
      return false;
  }
}

}  // namespace velmora
