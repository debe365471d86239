// The palette in its own DPI: at 96 DPI the pictures drawn for 100 %, at 144 DPI those drawn
// for 150 % (264 x 48 buttons), each shown to the pixel and laid out in the window's scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "res/resource.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/e2e/prefix_dpi.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

std::string PictureAtScale(const char* name, int percent) {
  return percent == 100 ? std::string(name) : std::string(name) + "_" + std::to_string(percent);
}

class PaletteDpiTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (m_process.Running() && m_palette) PostMessageA(m_palette, WM_CLOSE, 0, 0);
    m_process.WaitForExit(10s);
  }
  robot::FakeDriver m_driver;  // inactive: the activate picture
  robot::Process m_process;
  HWND m_palette = nullptr;
};

TEST_F(PaletteDpiTest, ButtonsShowThePicturesDrawnForThePrefixScaleLaidOutInIt) {
  robot::ResetVelmoraRegistry();
  ASSERT_TRUE(m_driver.Serving());
  m_process = robot::Start("Velmora.exe", "");
  HWND palette = m_palette = palette_e2e::WaitForPalette(m_process);
  ASSERT_NE(nullptr, palette);
  const int percent = palette_e2e::PrefixArtPercent();
  const int dpi = palette_e2e::PrefixDpi();
  ASSERT_TRUE(palette_e2e::WaitUntilTakesInput(palette));
  robot::WaitUntil([] { return false; }, 300ms);  // let it paint

  const struct {
    int id;
    const char* picture;
  } buttons[] = {{IDC_ACTIVATE, "PALETTE_ACTIVATEU"}, {IDC_OPTIONS, "PALETTE_OPTIONSU"}, {IDC_HELP_BUTTON, "PALETTE_HELPU"}};
  RECT placed[3] = {};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(buttons[i].picture);
    HWND button = GetDlgItem(palette, buttons[i].id);
    placed[i] = palette_e2e::ScreenRect(button);
    EXPECT_EQ(palette_e2e::AtPrefixScale(176), placed[i].right - placed[i].left);
    EXPECT_EQ(palette_e2e::AtPrefixScale(32), placed[i].bottom - placed[i].top);
    const palette_e2e::Pixels drawn = palette_e2e::ProgramPicture(PictureAtScale(buttons[i].picture, percent).c_str());
    ASSERT_EQ(palette_e2e::AtPrefixScale(176), drawn.width) << "no picture drawn for " << percent << " %";
    EXPECT_EQ(0, palette_e2e::DifferentPixels(palette_e2e::CaptureScreen(placed[i]), drawn));
  }
  // One pixel between the buttons at 96 DPI, scaled (rounded) with the window.
  const int gap = (dpi + 48) / 96;
  EXPECT_EQ(gap, placed[1].top - placed[0].bottom);
  EXPECT_EQ(gap, placed[2].top - placed[1].bottom);
  // A 4-pixel margin inside the black frame all round, scaled likewise.
  const int margin = (4 * dpi + 48) / 96;
  const RECT frame = palette_e2e::ScreenRect(GetDlgItem(palette, IDC_PALETTE_FRAME));
  EXPECT_EQ(margin, placed[0].left - frame.left);
  EXPECT_EQ(margin, placed[0].top - frame.top);
  EXPECT_EQ(margin, frame.right - placed[0].right);
  EXPECT_EQ(margin + gap, frame.bottom - placed[2].bottom);
  // The program icon above them is the one drawn for the scale, not an enlarged 32-pixel one;
  // the frame's top line may cover its last rows, as it covers the last one at 96 DPI.
  const int side = palette_e2e::AtPrefixScale(32);
  RECT icon = palette_e2e::ScreenRect(GetDlgItem(palette, IDC_PALETTE_ICON));
  icon.right = icon.left + side;
  icon.bottom = icon.top + side;
  EXPECT_GE(frame.top, icon.bottom - gap) << "the frame covers more of the icon than at 96 DPI";
  palette_e2e::Pixels drawn = palette_e2e::ProgramIcon(IDI_VELMORA, side, GetSysColor(COLOR_BTNFACE));
  const int rows = std::min(static_cast<int>(frame.top - icon.top), side);
  ASSERT_GT(rows, side / 2);
  drawn.rgb.resize(static_cast<size_t>(rows * side));
  drawn.height = rows;
  icon.bottom = icon.top + rows;
  EXPECT_EQ(0, palette_e2e::DifferentPixels(palette_e2e::CaptureScreen(icon), drawn));

  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_process.WaitForExit(10s));
}

}  // namespace
