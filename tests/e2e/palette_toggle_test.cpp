// The activate button: its picture tells what a click will do, an accepted toggle says so and
// swaps the picture, a refused one shows only the driver's error.
#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "res/resource.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

// How many of the button's pixels differ from the named picture.
int Mismatch(HWND button, const char* picture) {
  return palette_e2e::DifferentPixels(palette_e2e::CaptureScreen(palette_e2e::ScreenRect(button)),
                                      palette_e2e::ProgramPicture(picture));
}

// A driver that answers the activate request with result 3.
velmora::sim::StandInSettings RefusingActivation() {
  velmora::sim::StandInSettings settings;
  settings.refusals[2] = 3;
  return settings;
}

class PaletteToggleTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
  // Starts the program against the driver and finds the palette's activate button.
  void StartPalette(const robot::FakeDriver& driver) {
    ASSERT_TRUE(driver.Serving());
    m_process = robot::Start("Velmora.exe", "");
    m_palette = palette_e2e::WaitForPalette(m_process);
    ASSERT_NE(nullptr, m_palette);
    m_button = GetDlgItem(m_palette, IDC_ACTIVATE);
  }
  // Clicks the activate button and waits for the box that answers the click.
  void ClickAndWaitForBox(robot::MessageBoxSeen* box) {
    PostMessageA(m_button, BM_CLICK, 0, 0);
    ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), box, 10s));
  }

  robot::Process m_process;
  HWND m_palette = nullptr;
  HWND m_button = nullptr;
};

TEST_F(PaletteToggleTest, AcceptedActivationSaysSoAndSwapsThePicture) {
  robot::FakeDriver driver;  // inactive
  ASSERT_NO_FATAL_FAILURE(StartPalette(driver));
  ASSERT_EQ(0, Mismatch(m_button, "PALETTE_ACTIVATEU"));
  // The other two buttons show their resting pictures too.
  EXPECT_EQ(0, Mismatch(GetDlgItem(m_palette, IDC_OPTIONS), "PALETTE_OPTIONSU"));
  EXPECT_EQ(0, Mismatch(GetDlgItem(m_palette, IDC_HELP_BUTTON), "PALETTE_HELPU"));

  robot::MessageBoxSeen box;
  ASSERT_NO_FATAL_FAILURE(ClickAndWaitForBox(&box));
  EXPECT_EQ("Velmora activated successfully.", box.text);
  EXPECT_EQ("Velmora", box.caption);
  EXPECT_TRUE(box.hasIcon);
  const std::vector<int> requests = driver.Requests();
  EXPECT_NE(requests.end(), std::find(requests.begin(), requests.end(), 2)) << "no activate request";
  EXPECT_EQ(3, driver.State());
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(velmora::kGeneralKey, velmora::kActivateStateValue));
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(m_process.Pid()).empty(); }, 5s));

  EXPECT_TRUE(robot::WaitUntil([&] { return Mismatch(m_button, "PALETTE_DEACTIVATEU") == 0; }, 5s))
      << Mismatch(m_button, "PALETTE_DEACTIVATEU") << " pixels differ from the deactivate picture";

  // And back: the deactivation has its own message.
  ASSERT_NO_FATAL_FAILURE(ClickAndWaitForBox(&box));
  EXPECT_EQ("Velmora deactivated properly.", box.text);
  robot::PressButton(box.wnd, IDOK);
  EXPECT_TRUE(robot::WaitUntil([&] { return Mismatch(m_button, "PALETTE_ACTIVATEU") == 0; }, 5s));
  PostMessageA(m_palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_process.WaitForExit(10s));
}

TEST_F(PaletteToggleTest, RefusedActivationShowsOnlyTheDriverErrorAndKeepsThePicture) {
  robot::FakeDriver driver(RefusingActivation());
  ASSERT_NO_FATAL_FAILURE(StartPalette(driver));
  ASSERT_EQ(0, Mismatch(m_button, "PALETTE_ACTIVATEU"));

  robot::MessageBoxSeen box;
  ASSERT_NO_FATAL_FAILURE(ClickAndWaitForBox(&box));
  EXPECT_EQ(0u, box.caption.find("Velmora Error")) << box.caption;
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(box.wnd); }, 5s));
  // No message of the palette's own follows.
  EXPECT_FALSE(robot::WaitUntil([&] { return !robot::MessageBoxes(m_process.Pid()).empty(); }, 1500ms));
  EXPECT_EQ(4, driver.State());
  EXPECT_FALSE(robot::ValueExists(velmora::kGeneralKey, velmora::kActivateStateValue));
  EXPECT_EQ(0, Mismatch(m_button, "PALETTE_ACTIVATEU"));
  PostMessageA(m_palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_process.WaitForExit(10s));
}

// The driver's error box of a toggle has no owner, yet while it is up the palette takes no
// click: no second activation can start under it.
TEST_F(PaletteToggleTest, ErrorBoxOfAToggleKeepsThePaletteFromInput) {
  robot::FakeDriver driver(RefusingActivation());
  ASSERT_NO_FATAL_FAILURE(StartPalette(driver));
  robot::MessageBoxSeen box;
  ASSERT_TRUE(palette_e2e::ClickUntil(m_button, [&] { return robot::WaitForMessageBox(m_process.Pid(), &box, 0ms); }));
  EXPECT_EQ(0u, box.caption.find("Velmora Error")) << box.caption;
  EXPECT_EQ(nullptr, box.owner);
  EXPECT_FALSE(IsWindowEnabled(m_palette));
  // Out of the way of the palette's buttons.
  SetWindowPos(box.wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const std::size_t asked = driver.Requests().size();
  palette_e2e::ClickWithTheMouse(m_button);
  EXPECT_EQ(asked, driver.Requests().size()) << "a second activation started under the box";
  EXPECT_EQ(1u, robot::MessageBoxes(m_process.Pid()).size());

  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(m_process.Pid()).empty(); }, 5s));
  EXPECT_TRUE(palette_e2e::WaitUntilTakesInput(m_palette));
  EXPECT_TRUE(robot::WaitUntil([&] { return GetForegroundWindow() == m_palette; }, 2s));
  PostMessageA(m_palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_process.WaitForExit(10s));
}

}  // namespace
