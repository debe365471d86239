// A screen reader in another process hears the words of each picture button, a push button's
// role, its action and its mnemonic, and after a toggle the activate button's new action.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/accessibility.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

class PaletteAccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    m_bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  void TearDown() override {
    if (m_bCom) CoUninitialize();
  }
  // Reads the button as a screen reader would and checks every part of what it hears.
  static void ExpectHeard(HWND button, const char* name, const char* shortcut) {
    const robot::AccessibleDescription heard = robot::DescribeAccessible(button);
    ASSERT_TRUE(heard.read) << name << ": no accessible object from another process";
    EXPECT_EQ(name, heard.name);
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, heard.role) << name;
    EXPECT_EQ("Press", heard.defaultAction) << name;
    EXPECT_EQ(shortcut, heard.shortcut) << name;
  }

  bool m_bCom = false;
};

TEST_F(PaletteAccessibilityTest, EachButtonIsHeardByItsPicturesWordsAndAToggleAnnouncesTheNewAction) {
  robot::FakeDriver driver;  // inactive: the activate button offers activation
  ASSERT_TRUE(driver.Serving());
  robot::Process process = robot::Start("Velmora.exe", "");
  HWND palette = palette_e2e::WaitForPalette(process);
  ASSERT_NE(nullptr, palette);
  const struct {
    int id;
    const char* text;
    const char* name;
    const char* shortcut;
  } buttons[] = {{IDC_ACTIVATE, "&V", "Activate Velmora", "Alt+V"},
                 {IDC_OPTIONS, "&O", "Advanced Options", "Alt+O"},
                 {IDC_HELP_BUTTON, "&H", "Help", "Alt+H"}};
  for (const auto& b : buttons) {
    HWND button = GetDlgItem(palette, b.id);
    ExpectHeard(button, b.name, b.shortcut);
    EXPECT_EQ(b.text, robot::Text(button)) << "the window text keeps only the mnemonic";
  }

  HWND activate = GetDlgItem(palette, IDC_ACTIVATE);
  robot::NameChangeListener listener(process.Pid());
  ASSERT_TRUE(listener.Listening());
  PostMessageA(activate, BM_CLICK, 0, 0);
  robot::MessageBoxSeen box;
  ASSERT_TRUE(robot::WaitForMessageBox(process.Pid(), &box, 10s));
  EXPECT_TRUE(robot::WaitUntil([&] { return listener.Announced(activate) == 1; }, 5s))
      << listener.Announced(activate) << " name changes announced for the activate button";
  ExpectHeard(activate, "Deactivate Velmora", "Alt+V");
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(process.Pid()).empty(); }, 5s));

  // And back; the buttons that did not change said nothing.
  PostMessageA(activate, BM_CLICK, 0, 0);
  ASSERT_TRUE(robot::WaitForMessageBox(process.Pid(), &box, 10s));
  EXPECT_TRUE(robot::WaitUntil([&] { return listener.Announced(activate) == 2; }, 5s));
  ExpectHeard(activate, "Activate Velmora", "Alt+V");
  EXPECT_EQ(0, listener.Announced(GetDlgItem(palette, IDC_OPTIONS)));
  EXPECT_EQ(0, listener.Announced(GetDlgItem(palette, IDC_HELP_BUTTON)));
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(process.Pid()).empty(); }, 5s));
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process.WaitForExit(10s));
}

}  // namespace
