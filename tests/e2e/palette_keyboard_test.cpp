// The palette used from the keyboard with real key presses: Tab shows where the focus is, Enter
// presses the focused picture button, Esc ends the palette.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/options_fixture.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;
using palette_e2e::Pixels;

// One key pressed and let go through the system's input queue, as a keyboard's would be.
void PressKey(WORD key) {
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

Pixels Shown(HWND button) { return palette_e2e::CaptureScreen(palette_e2e::ScreenRect(button)); }

class PaletteKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    options_e2e::StoreCache(2048, 20480, 600);  // the sheet opens without a box first
    ASSERT_TRUE(m_driver.Serving());
    m_process = robot::Start("Velmora.exe", "");
    m_palette = palette_e2e::WaitForPalette(m_process);
    ASSERT_NE(nullptr, m_palette);
    SetForegroundWindow(m_palette);
    ASSERT_TRUE(palette_e2e::WaitUntilTakesInput(m_palette));
    ASSERT_TRUE(robot::WaitUntil([&] { return GetForegroundWindow() == m_palette; }, 5s));
  }
  void TearDown() override {
    if (HWND sheet = robot::FindTopWindow(m_process.Pid(), "#32770", "Velmora Options")) {
      robot::PressButton(sheet, IDCANCEL);
    }
    if (m_process.Running()) PostMessageA(m_palette, WM_CLOSE, 0, 0);
    m_process.WaitForExit(10s);
  }

  robot::FakeDriver m_driver;  // inactive
  robot::Process m_process;
  HWND m_palette = nullptr;
};

TEST_F(PaletteKeyboardTest, TabShowsTheFocusEnterPressesTheFocusedButtonEscEnds) {
  HWND activate = GetDlgItem(m_palette, IDC_ACTIVATE);
  HWND options = GetDlgItem(m_palette, IDC_OPTIONS);
  const Pixels optionsPicture = palette_e2e::ProgramPicture("PALETTE_OPTIONSU");
  const Pixels activatePicture = palette_e2e::ProgramPicture("PALETTE_ACTIVATEU");
  // Before any key the focused first button shows its picture alone, to the pixel.
  ASSERT_EQ(activate, FocusOf(m_palette));
  EXPECT_EQ(0, palette_e2e::DifferentPixels(Shown(activate), activatePicture));

  PressKey(VK_TAB);
  ASSERT_TRUE(robot::WaitUntil([&] { return FocusOf(m_palette) == options; }, 5s)) << "Tab did not move the focus";
  robot::WaitUntil([] { return false; }, 300ms);  // let it paint
  // The focus cue: a dotted rectangle 4 pixels inside the button's edge, nothing else changed.
  const Pixels focused = Shown(options);
  ASSERT_EQ(optionsPicture.width, focused.width);
  ASSERT_EQ(optionsPicture.height, focused.height);
  int onCue = 0;
  int elsewhere = 0;
  for (int y = 0; y < focused.height; ++y) {
    for (int x = 0; x < focused.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * focused.width + x);
      if (focused.rgb[i] == optionsPicture.rgb[i]) continue;
      const bool inside = x >= 4 && y >= 4 && x < focused.width - 4 && y < focused.height - 4;
      const bool edge = x == 4 || y == 4 || x == focused.width - 5 || y == focused.height - 5;
      ++(inside && edge ? onCue : elsewhere);
    }
  }
  EXPECT_GT(onCue, (focused.width + focused.height) / 2) << "no focus rectangle to see";
  EXPECT_EQ(0, elsewhere);
  EXPECT_EQ(0, palette_e2e::DifferentPixels(Shown(activate), activatePicture)) << "the cue stayed behind";

  // Enter presses the focused options button: the sheet opens and the program runs on.
  PressKey(VK_RETURN);
  HWND sheet = robot::WaitForTopWindow(m_process.Pid(), "#32770", "Velmora Options", 10s);
  ASSERT_NE(nullptr, sheet) << "Enter did not press the options button";
  EXPECT_TRUE(m_process.Running());
  robot::PressButton(sheet, IDCANCEL);
  ASSERT_TRUE(robot::WaitUntil([&] { return IsWindowVisible(m_palette) != FALSE; }, 5s));

  // Esc still ends the palette, with the usual exit status.
  SetForegroundWindow(m_palette);
  ASSERT_TRUE(palette_e2e::WaitUntilTakesInput(m_palette));
  ASSERT_TRUE(robot::WaitUntil([&] { return GetForegroundWindow() == m_palette; }, 5s));
  PressKey(VK_ESCAPE);
  DWORD code = 99;
  ASSERT_TRUE(m_process.WaitForExit(10s, &code)) << "Esc did not end the palette";
  EXPECT_EQ(0u, code);
}

}  // namespace
