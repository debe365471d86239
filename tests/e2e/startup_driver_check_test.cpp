// Every start checks the driver's health and version; problems are reported and the palette
// opens anyway.
#include <gtest/gtest.h>

#include "tests/e2e/driver_support.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

struct Seen {
  std::vector<int> errors;
  bool paletteOpened = false;
  DWORD exitCode = 99;
};

// A start without switches: answer the boxes, then close the palette as a person would.
Seen StartAndClose() {
  robot::Process p = robot::Start("Velmora.exe", "");
  std::vector<robot::MessageBoxSeen> boxes;
  HWND palette = e2e::AnswerBoxesUntilPalette(p, &boxes, 15s);
  Seen seen;
  seen.errors = e2e::ErrorCodes(boxes);
  seen.paletteOpened = palette != nullptr;
  if (palette) PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s, &seen.exitCode));
  return seen;
}

class StartupDriverCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

TEST_F(StartupDriverCheckTest, MissingDriverIsReportedOnceThenThePaletteOpens) {
  const Seen seen = StartAndClose();
  EXPECT_EQ(std::vector<int>{20014}, seen.errors);
  EXPECT_TRUE(seen.paletteOpened);
  EXPECT_EQ(0u, seen.exitCode);
}

TEST_F(StartupDriverCheckTest, EachBadStateShowsItsErrorThenThePaletteOpens) {
  const std::pair<int, int> rows[] = {{1, 20020}, {-1, 20021}, {-3, 20012}};
  for (const auto& [state, error] : rows) {
    velmora::sim::StandInSettings s;
    s.state = state;
    robot::FakeDriver driver(s);
    const Seen seen = StartAndClose();
    EXPECT_EQ(std::vector<int>{error}, seen.errors) << state;
    EXPECT_TRUE(seen.paletteOpened) << state;
    EXPECT_EQ(0u, seen.exitCode);
    // The palette's question, then usable? and the state for the report.
    EXPECT_EQ((std::vector<int>{1, 1, 1}), driver.Requests()) << state;
  }
}

TEST_F(StartupDriverCheckTest, UnlistedStateIsUsableAndSilent) {
  velmora::sim::StandInSettings s;
  s.state = -6;
  robot::FakeDriver driver(s);
  const Seen seen = StartAndClose();
  EXPECT_TRUE(seen.errors.empty());
  EXPECT_TRUE(seen.paletteOpened);
  EXPECT_EQ((std::vector<int>{1, 1, 1}), driver.Requests());  // palette, usable?, version
}

TEST_F(StartupDriverCheckTest, ForeignVersionIsReported) {
  velmora::sim::StandInSettings s;
  s.version = {4, 5, 1, 371};
  robot::FakeDriver driver(s);
  const Seen seen = StartAndClose();
  EXPECT_EQ(std::vector<int>{20026}, seen.errors);
  EXPECT_TRUE(seen.paletteOpened);
}

}  // namespace
