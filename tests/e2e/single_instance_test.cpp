// A second start while a palette runs hands over to it and changes nothing.
#include <gtest/gtest.h>

#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

TEST_F(SingleInstanceTest, SecondStartBringsThePaletteForwardAndChangesNothing) {
  robot::Process first = robot::Start("Velmora.exe", "");
  ASSERT_TRUE(first.Running());
  // Whatever the driver check says, the palette comes up; close any error box on the way.
  HWND palette = nullptr;
  ASSERT_TRUE(robot::WaitUntil(
      [&] {
        for (auto& b : robot::MessageBoxes(first.Pid())) robot::PressButton(b.wnd, IDOK);
        palette = robot::FindTopWindow(first.Pid(), "VelmoraMainPalette", "Corvane Velmora");
        return palette != nullptr;
      },
      10s));
  ShowWindow(palette, SW_MINIMIZE);
  ASSERT_TRUE(robot::WaitUntil([&] { return IsIconic(palette) != FALSE; }, 5s));
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");

  robot::Process second = robot::Start("Velmora.exe", "/DEA");
  DWORD code = 99;
  ASSERT_TRUE(second.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(robot::WaitUntil([&] { return !IsIconic(palette); }, 5s)) << "the palette was not restored";
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(robot::MessageBoxes(second.Pid()).empty());
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));

  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
