#include <gtest/gtest.h>

#include "framework/centring.h"

namespace framework {
namespace {

TEST(CentringTest, OnScreenHalvesTheSpareRoomTruncatingTowardZero) {
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

TEST(CentringTest, OverTheOwnerStaysInsideTheWorkAreaItsTopLeftWinning) {
  const ScreenRect work{0, 0, 1024, 738};  // a task bar below
  struct Case {
    const char* what;
    ScreenRect window, over;
    int left, top;
  } const cases[] = {
      {"over the work area", {0, 0, 300, 200}, work, 362, 269},
      {"over an owner", {0, 0, 100, 50}, {100, 100, 301, 201}, 150, 125},
      {"an owner near the right edge", {0, 0, 300, 200}, {900, 300, 1000, 400}, 724, 250},
      {"an owner above the top", {0, 0, 300, 200}, {10, -300, 110, -200}, 0, 0},
      {"larger than the work area", {0, 0, 1200, 900}, work, 0, 0},
  };
  for (const Case& c : cases) {
    const ScreenPoint p = CentreOverKeptInWorkArea(c.window, c.over, work);
    EXPECT_EQ(c.left, p.left) << c.what;
    EXPECT_EQ(c.top, p.top) << c.what;
  }
}

}  // namespace
}  // namespace framework
