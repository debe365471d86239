#include <gtest/gtest.h>

#include "upgrade/centring.h"

namespace velmora {
namespace {

TEST(CentreOnScreenTest, HalvesTheSpareRoomTruncatingTowardZero) {
  struct Case {
    int sw, sh, w, h, left, top;
  } const cases[] = {
      {1024, 768, 370, 150, 327, 309},  // even spare room
      {1024, 768, 371, 151, 326, 308},  // odd spare room: the half pixel is dropped
      {640, 480, 640, 480, 0, 0},       // exactly the screen's size
      {640, 480, 741, 581, -50, -50},   // larger than the screen: -101 / 2 is -50, not -51
      {0, 0, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    const ScreenPoint p = CentreOnScreen(c.sw, c.sh, c.w, c.h);
    EXPECT_EQ(c.left, p.left) << c.sw << "x" << c.sh << " " << c.w << "x" << c.h;
    EXPECT_EQ(c.top, p.top) << c.sw << "x" << c.sh << " " << c.w << "x" << c.h;
  }
}

}  // namespace
}  // namespace velmora
