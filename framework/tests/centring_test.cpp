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

TEST(CentringTest, KeptInsideTheWorkAreaMovesOnlyWhatSticksOut) {
  const ScreenRect work{0, 0, 1024, 738};
  struct Case {
    const char* what;
    ScreenRect window;
    int left, top;
  } const cases[] = {
      {"inside: unmoved", {700, 430, 1024, 738}, 700, 430},
      {"below and right of the work area", {824, 530, 1180, 822}, 668, 446},
      {"above and left", {-40, -10, 316, 282}, 0, 0},
      {"right only", {900, 100, 1256, 392}, 668, 100},
      {"larger than the work area, low right", {500, 600, 1700, 1500}, 0, 0},
  };
  for (const Case& c : cases) {
    const ScreenPoint p = KeptInWorkArea(c.window, work);
    EXPECT_EQ(c.left, p.left) << c.what;
    EXPECT_EQ(c.top, p.top) << c.what;
  }
  // A work area that does not start at the origin: a second monitor, or a task bar on top.
  const ScreenPoint p = KeptInWorkArea({1000, 20, 1300, 220}, {1024, 30, 2048, 798});
  EXPECT_EQ(1024, p.left);
  EXPECT_EQ(30, p.top);
}

}  // namespace
}  // namespace framework
