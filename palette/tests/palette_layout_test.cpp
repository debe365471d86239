// The palette's layout arithmetic: positions to the pixel, halvings that truncate toward zero.
#include <gtest/gtest.h>

#include "palette/art_scale.h"
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
  m.iconHeight = 32;
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

// The same palette in the window's own DPI: the pictures of the scale the DPI chooses, the
// dialog's own frame position and metrics of that DPI; margins and gaps follow the DPI. The
// icon's last row lies on the frame's top line at 96 DPI (Wine's template puts it at 33); a
// larger icon reaching further into the frame (at 47 with Wine's 144-DPI font) moves it down.
TEST(PaletteLayoutTest, LaysOutInTheWindowsOwnDpi) {
  struct Row {
    int dpi;
    int percent;  // the pictures chosen
    int frameLeft, frameTop, iconWidth, frame, caption;
    int frameY;  // where the frame ends up
    int windowWidth, windowHeight, frameWidth, frameHeight, optionsY, helpY, iconX, iconY;
  };
  const Row rows[] = {
      // At 96 DPI exactly the numbers of a palette that knows nothing of DPI.
      {96, 100, 5, 33, 32, 3, 19, 33, 200, 169, 184, 107, 33 + 37, 33 + 70, 81, 2},
      {120, 125, 6, 44, 40, 4, 23, 44, 250, 213, 230, 133, 44 + 5 + 40 + 1, 44 + 5 + 80 + 2, 6 + 5 + 90, 3},
      {144, 150, 8, 47, 48, 5, 28, 3 + 48 - 2, 302, 255, 276, 162, 49 + 6 + 48 + 2, 49 + 6 + 96 + 4, 8 + 6 + 108, 3},
      {192, 200, 10, 70, 64, 6, 37, 70, 400, 341, 368, 214, 70 + 8 + 64 + 2, 70 + 8 + 128 + 4, 10 + 8 + 144, 4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.dpi);
    ASSERT_EQ(r.percent, ArtScalePercent(r.dpi));
    PaletteMetrics m = Classic640();
    m.dpi = r.dpi;
    m.frameLeft = r.frameLeft;
    m.frameTop = r.frameTop;
    m.buttonWidth = 176 * r.percent / 100;
    m.buttonHeight = 32 * r.percent / 100;
    m.iconWidth = m.iconHeight = r.iconWidth;
    m.cxDlgFrame = m.cyDlgFrame = r.frame;
    m.cyCaption = r.caption;
    const PaletteLayout l = ComputePaletteLayout(m);
    EXPECT_EQ(r.windowWidth, l.windowWidth);
    EXPECT_EQ(r.windowHeight, l.windowHeight);
    EXPECT_EQ(r.frameWidth, l.frameWidth);
    EXPECT_EQ(r.frameHeight, l.frameHeight);
    ExpectPoint(l.frame, r.frameLeft, r.frameY);
    ExpectPoint(l.activate, l.options.x, r.frameY + ScaleToDpi(4, r.dpi));
    EXPECT_EQ(r.optionsY, l.options.y);
    EXPECT_EQ(r.helpY, l.help.y);
    ExpectPoint(l.icon, r.iconX, r.iconY);
    ExpectPoint(l.window, (640 - r.windowWidth) / 2, (480 - r.windowHeight) / 2);
  }
}

// Between two drawn scales the nearer one is shown, a tie taking the smaller; outside
// 100-200 % the nearest end.
TEST(PaletteLayoutTest, ArtScaleAndItsPictureNames) {
  const struct {
    int dpi;
    int percent;
  } rows[] = {{0, 100}, {72, 100}, {96, 100}, {108, 100}, {109, 125}, {120, 125}, {132, 125}, {133, 150},
              {144, 150}, {168, 175}, {180, 175}, {181, 200}, {192, 200}, {288, 200}};
  for (const auto& r : rows) EXPECT_EQ(r.percent, ArtScalePercent(r.dpi)) << r.dpi;
  EXPECT_EQ("PALETTE_HELPU", ScaledPictureName("PALETTE_HELPU", 100));
  EXPECT_EQ("PALETTE_HELPU_175", ScaledPictureName("PALETTE_HELPU", 175));
  EXPECT_EQ(8, ScaleToDpi(5, 144));  // 7.5 rounds away from zero, as MulDiv does
  EXPECT_EQ(-8, ScaleToDpi(-5, 144));
}

TEST(PaletteLayoutTest, MinimisedIconIsCentredRoundingHalfUp) {
  ExpectPoint(MinimisedIconOrigin(36, 33, 32, 32), 2, 1);
  ExpectPoint(MinimisedIconOrigin(35, 32, 32, 32), 2, 0);
  // A client area smaller than the icon truncates toward zero: -21/2 is -10.
  ExpectPoint(MinimisedIconOrigin(10, 10, 32, 32), -10, -10);
}

}  // namespace
}  // namespace velmora
