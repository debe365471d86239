// The palette's layout arithmetic: positions to the pixel, halvings that truncate toward zero.
#include <gtest/gtest.h>

#include "palette/palette_layout.h"

namespace velmora {
namespace {

PaletteMetrics Classic640() {
  PaletteMetrics m;
  m.frameLeft = 5;
  m.frameTop = 35;
  m.buttonWidth = 176;
  m.buttonHeight = 32;
  m.iconWidth = 32;
  m.cxDlgFrame = 3;
  m.cyDlgFrame = 3;
  m.cyCaption = 19;
  m.cxScreen = 640;
  m.cyScreen = 480;
  return m;
}

void ExpectPoint(PalettePoint p, int x, int y) {
  EXPECT_EQ(x, p.x);
  EXPECT_EQ(y, p.y);
}

TEST(PaletteLayoutTest, ProgramPicturesOnA640By480Screen) {
  const PaletteLayout l = ComputePaletteLayout(Classic640());
  EXPECT_EQ(200, l.windowWidth);
  EXPECT_EQ(171, l.windowHeight);
  ExpectPoint(l.window, 220, 154);
  EXPECT_EQ(184, l.frameWidth);
  EXPECT_EQ(107, l.frameHeight);
  // 4-pixel margin inside the frame, 1 pixel between the buttons.
  ExpectPoint(l.activate, 5 + 4, 35 + 4);
  ExpectPoint(l.options, 5 + 4, 35 + 37);
  ExpectPoint(l.help, 5 + 4, 35 + 70);
  // The icon is centred over the buttons, 2 pixels from the top.
  ExpectPoint(l.icon, 5 + 76, 2);
}

TEST(PaletteLayoutTest, OddDifferencesHalveTowardZero) {
  PaletteMetrics m = Classic640();
  m.buttonWidth = 177;
  m.cxDlgFrame = 4;
  m.cxScreen = 1024;
  PaletteLayout l = ComputePaletteLayout(m);
  ASSERT_EQ(203, l.windowWidth);
  EXPECT_EQ(410, l.window.x);

  // A window 11 pixels wider (and 3 pixels taller) than the screen: -5 and -1, not -6 and -2.
  m = Classic640();
  m.cxScreen = 200 - 11;
  m.cyScreen = 171 - 3;
  l = ComputePaletteLayout(m);
  ExpectPoint(l.window, -5, -1);

  // An icon wider than the buttons sits left of the margin by half the excess, truncated.
  m = Classic640();
  m.buttonWidth = 20;
  m.iconWidth = 33;
  EXPECT_EQ(5 + 4 - 6, ComputePaletteLayout(m).icon.x);
}

TEST(PaletteLayoutTest, ButtonsWithoutSizeCountAsZero) {
  PaletteMetrics m = Classic640();
  m.buttonWidth = -3;
  m.buttonHeight = 0;
  const PaletteLayout l = ComputePaletteLayout(m);
  EXPECT_EQ(8, l.frameWidth);
  EXPECT_EQ(11, l.frameHeight);
  ExpectPoint(l.options, 9, 35 + 5);
  ExpectPoint(l.help, 9, 35 + 6);
  EXPECT_EQ(8 + 10 + 6, l.windowWidth);
  EXPECT_EQ(35 + 11 + 4 + 6 + 19, l.windowHeight);
}

TEST(PaletteLayoutTest, MinimisedIconIsCentredRoundingHalfUp) {
  ExpectPoint(MinimisedIconOrigin(36, 33, 32, 32), 2, 1);
  ExpectPoint(MinimisedIconOrigin(35, 32, 32, 32), 2, 0);
  // A client area smaller than the icon truncates toward zero: -21/2 is -10.
  ExpectPoint(MinimisedIconOrigin(10, 10, 32, 32), -10, -10);
}

}  // namespace
}  // namespace velmora
