// The options sheet fits the desktop: it opens inside the work area wherever the palette
// stands, and its boxes show every digit of what they hold.
#include <gtest/gtest.h>

#include "tests/e2e/options_fixture.h"

namespace {

using namespace std::chrono_literals;
using options_e2e::OptionsTest;

RECT WorkAreaOf(HWND wnd) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

class OptionsFitTest : public OptionsTest {};

TEST_F(OptionsFitTest, SheetOpensInsideTheWorkAreaFromAPaletteInEachCorner) {
  m_process = robot::Start("Velmora.exe", "");
  m_palette = palette_e2e::WaitForPalette(m_process);
  ASSERT_NE(nullptr, m_palette);
  const RECT work = WorkAreaOf(m_palette);
  const RECT p = palette_e2e::ScreenRect(m_palette);
  const int w = p.right - p.left;
  const int h = p.bottom - p.top;
  struct Corner {
    const char* name;
    int x, y;
  } const corners[] = {
      {"top left", work.left, work.top},
      {"top right", work.right - w, work.top},
      {"bottom left", work.left, work.bottom - h},
      {"bottom right", work.right - w, work.bottom - h},
  };
  RECT opened[2] = {};  // from the top corners, left and right
  for (const Corner& c : corners) {
    SCOPED_TRACE(c.name);
    SetWindowPos(m_palette, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(palette_e2e::WaitUntilTakesInput(m_palette));
    OpenSheet();
    ASSERT_NE(nullptr, m_sheet);
    const RECT s = palette_e2e::ScreenRect(m_sheet);
    EXPECT_GE(s.left, work.left);
    EXPECT_GE(s.top, work.top);
    EXPECT_LE(s.right, work.right);
    EXPECT_LE(s.bottom, work.bottom);
    if (c.y == work.top) {
      opened[c.x == work.left ? 0 : 1] = s;  // fits where the system opens it
    } else {
      // Moved up just enough, not sideways.
      EXPECT_EQ(opened[c.x == work.left ? 0 : 1].left, s.left);
      EXPECT_EQ(work.bottom, s.bottom);
    }
    PressAndSettle(IDCANCEL);
    ASSERT_TRUE(SheetClosed());
    ASSERT_TRUE(robot::WaitUntil([&] { return IsWindowVisible(m_palette) != FALSE; }, 5s));
    m_sheet = nullptr;
  }
}

// The hours box holds three digits in the dialog's font: the end of the text lies inside the
// box's margins and nothing is scrolled out on the left.
TEST_F(OptionsFitTest, HoursBoxShowsEveryDigitOfTheLargestHours) {
  options_e2e::StoreCache(2048, 20480, 999 * 3600 + 15 * 60);
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  HWND box = Box(options_e2e::kHoursBox);
  ASSERT_EQ("999", Shown(options_e2e::kHoursBox));
  RECT client{};
  GetClientRect(box, &client);
  const int rightMargin = HIWORD(SendMessageA(box, EM_GETMARGINS, 0, 0));
  int x[3];
  for (int i = 0; i < 3; ++i) x[i] = static_cast<short>(LOWORD(SendMessageA(box, EM_POSFROMCHAR, i, 0)));
  // Digits are equally wide: the last one ends a digit's width after it starts.
  const int end = x[2] + (x[1] - x[0]);
  EXPECT_GT(x[1], x[0]);
  EXPECT_GE(x[0], 0) << "the first digit is scrolled out";
  EXPECT_LE(end, client.right - rightMargin) << "the last digit is cut off";
}

}  // namespace
