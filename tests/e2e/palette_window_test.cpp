// The palette as a person meets it: where it opens and how it is laid out, its system menu and
// About box, the private quit message and the end of the session, and a second start while it
// is minimised.
#include <gtest/gtest.h>

#include "common/palette_contract.h"
#include "res/resource.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;
using palette_e2e::RectRelativeTo;

class PaletteWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    ASSERT_TRUE(m_driver.Serving());
    m_process = robot::Start("Velmora.exe", "");
    m_palette = palette_e2e::WaitForPalette(m_process);
    ASSERT_NE(nullptr, m_palette);
  }
  void TearDown() override {
    if (m_process.Running()) PostMessageA(m_palette, WM_CLOSE, 0, 0);
    m_process.WaitForExit(10s);
  }

  HWND AboutBox() { return robot::FindTopWindow(m_process.Pid(), "#32770", "About Velmora"); }

  robot::FakeDriver m_driver;
  robot::Process m_process;
  HWND m_palette = nullptr;
};

TEST_F(PaletteWindowTest, OpensCentredAndLaidOutToThePixel) {
  HWND frame = GetDlgItem(m_palette, IDC_PALETTE_FRAME);
  HWND icon = GetDlgItem(m_palette, IDC_PALETTE_ICON);
  ASSERT_NE(nullptr, frame);
  POINT frameTopLeft{palette_e2e::ScreenRect(frame).left, palette_e2e::ScreenRect(frame).top};
  ScreenToClient(m_palette, &frameTopLeft);

  const int w = 176 + 8 + 2 * frameTopLeft.x + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int h = frameTopLeft.y + 3 * 32 + 11 + 4 + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
  const RECT window = palette_e2e::ScreenRect(m_palette);
  EXPECT_EQ(w, window.right - window.left);
  EXPECT_EQ(h, window.bottom - window.top);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - w) / 2, window.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - h) / 2, window.top);

  const RECT f = palette_e2e::ScreenRect(frame);
  EXPECT_EQ(184, f.right - f.left);
  EXPECT_EQ(107, f.bottom - f.top);
  const int ids[] = {IDC_ACTIVATE, IDC_OPTIONS, IDC_HELP_BUTTON};
  const int tops[] = {4, 37, 70};
  for (int i = 0; i < 3; ++i) {
    const RECT b = RectRelativeTo(GetDlgItem(m_palette, ids[i]), frame);
    EXPECT_EQ(4, b.left) << ids[i];
    EXPECT_EQ(tops[i], b.top) << ids[i];
    EXPECT_EQ(176, b.right - b.left) << ids[i];
    EXPECT_EQ(32, b.bottom - b.top) << ids[i];
  }
  // The icon is centred over the buttons, 2 pixels below the client area's top.
  POINT iconTopLeft{palette_e2e::ScreenRect(icon).left, palette_e2e::ScreenRect(icon).top};
  ScreenToClient(m_palette, &iconTopLeft);
  RECT iconClient{};
  GetClientRect(icon, &iconClient);
  EXPECT_EQ(frameTopLeft.x + 4 + (176 - iconClient.right) / 2, iconTopLeft.x);
  EXPECT_EQ(2, iconTopLeft.y);
  // The hidden button stays hidden and disabled.
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_palette, IDC_CLEAR_CACHE_HIDDEN)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_palette, IDC_CLEAR_CACHE_HIDDEN)));
}

TEST_F(PaletteWindowTest, HasATaskbarEntryAndNoMinimiseOrMaximiseBox) {
  EXPECT_TRUE(GetWindowLongA(m_palette, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  const LONG style = GetWindowLongA(m_palette, GWL_STYLE);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(PaletteWindowTest, SystemCommandsSixteenToThirtyOneOpenTheAboutBox) {
  for (WPARAM command : {WPARAM{0x0010}, WPARAM{0x001F}}) {
    PostMessageA(m_palette, WM_SYSCOMMAND, command, 0);
    HWND about = robot::WaitForTopWindow(m_process.Pid(), "#32770", "About Velmora", 5s);
    ASSERT_NE(nullptr, about) << command;
    EXPECT_EQ("Velmora version", robot::Text(GetDlgItem(about, IDC_ABOUT_LABEL)));
    EXPECT_EQ("4.5.1 (370)", robot::Text(GetDlgItem(about, IDC_ABOUT_VERSION)));
    // Side by side on the first line.
    const RECT label = palette_e2e::ScreenRect(GetDlgItem(about, IDC_ABOUT_LABEL));
    const RECT version = palette_e2e::ScreenRect(GetDlgItem(about, IDC_ABOUT_VERSION));
    EXPECT_EQ(label.top, version.top);
    EXPECT_LT(label.left, version.left);
    robot::PressButton(about, IDOK);
    EXPECT_TRUE(robot::WaitUntil([&] { return AboutBox() == nullptr; }, 5s));
  }
  PostMessageA(m_palette, WM_SYSCOMMAND, 0x0020, 0);
  EXPECT_FALSE(robot::WaitUntil([&] { return AboutBox() != nullptr; }, 1s));
  EXPECT_TRUE(IsWindowVisible(m_palette));
}

// The About box has no owner, yet while it is up the palette takes no click; afterwards it
// is the active window again and its buttons work.
TEST_F(PaletteWindowTest, AboutBoxKeepsThePaletteFromInputUntilItCloses) {
  PostMessageA(m_palette, WM_SYSCOMMAND, 0x0010, 0);
  HWND about = robot::WaitForTopWindow(m_process.Pid(), "#32770", "About Velmora", 5s);
  ASSERT_NE(nullptr, about);
  EXPECT_EQ(nullptr, GetWindow(about, GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(m_palette));
  // Out of the way, so the click lands on the palette's button and nowhere else.
  SetWindowPos(about, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const std::size_t asked = m_driver.Requests().size();
  HWND activate = GetDlgItem(m_palette, IDC_ACTIVATE);
  palette_e2e::ClickWithTheMouse(activate);
  palette_e2e::ClickWithTheMouse(GetDlgItem(m_palette, IDC_OPTIONS));  // options
  // A person waits to see that nothing happens; on a busy machine the clicks reach the program
  // later, and they must have been refused while the box was up, not kept for after it.
  const auto answered = [&] {
    return m_driver.Requests().size() != asked || !robot::MessageBoxes(m_process.Pid()).empty() ||
           robot::FindTopWindow(m_process.Pid(), "#32770", "Velmora Options") != nullptr;
  };
  EXPECT_FALSE(robot::WaitUntil(answered, 1500ms)) << "a click reached the palette";
  palette_e2e::WaitUntilTakesInput(about);
  EXPECT_EQ(asked, m_driver.Requests().size()) << "the click reached the palette";
  EXPECT_TRUE(robot::MessageBoxes(m_process.Pid()).empty());
  EXPECT_EQ(nullptr, robot::FindTopWindow(m_process.Pid(), "#32770", "Velmora Options"));
  EXPECT_EQ(about, AboutBox());

  // Once the box is gone the palette takes input and is active by itself: the test neither
  // brings it forward nor clicks twice.
  robot::PressButton(about, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return AboutBox() == nullptr; }, 5s));
  ASSERT_TRUE(IsWindowEnabled(m_palette)) << "the palette was not enabled before the box went";
  ASSERT_TRUE(robot::WaitUntil([&] { return GetForegroundWindow() == m_palette; }, 2s)) << "the palette is not active";
  robot::MessageBoxSeen box;
  palette_e2e::ClickWithTheMouse(activate);
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &box, 4s)) << "the click did not reach the palette";
  EXPECT_EQ("Velmora activated successfully.", box.text);
  robot::PressButton(box.wnd, IDOK);
  EXPECT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(m_process.Pid()).empty(); }, 5s));
}

TEST_F(PaletteWindowTest, QuitMessageEndsTheProgramOnlyWithItsParameters) {
  const std::pair<WPARAM, LPARAM> wrong[] = {{0x123, 0x544}, {0x124, 0x543}, {0, 0}};
  for (const auto& [wp, lp] : wrong) {
    DWORD_PTR result = 99;
    ASSERT_TRUE(SendMessageTimeoutA(m_palette, velmora::kQuitMessage, wp, lp, SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_EQ(0u, result);
  }
  EXPECT_FALSE(m_process.WaitForExit(1s));
  EXPECT_TRUE(IsWindowVisible(m_palette));

  PostMessageA(m_palette, velmora::kQuitMessage, velmora::kQuitWParam, velmora::kQuitLParam);
  DWORD code = 99;
  ASSERT_TRUE(m_process.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_FALSE(IsWindow(m_palette));
}

// The end of the session, or the system's installer closing applications for an update.
TEST_F(PaletteWindowTest, EndOfTheSessionEndsThePaletteAsItsQuitDoesWithoutABox) {
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutA(m_palette, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &result));
  EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), result) << "the palette holds nothing to save";
  // A session end that was cancelled after all changes nothing.
  ASSERT_TRUE(SendMessageTimeoutA(m_palette, WM_ENDSESSION, FALSE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &result));
  EXPECT_FALSE(m_process.WaitForExit(1s));

  ASSERT_TRUE(SendMessageTimeoutA(m_palette, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &result));
  DWORD code = 99;
  ASSERT_TRUE(m_process.WaitForExit(10s, &code)) << "a box would hold the process";
  EXPECT_EQ(0u, code);
  for (int request : m_driver.Requests()) EXPECT_EQ(1, request) << "ending asks the driver nothing but its state";
}

TEST_F(PaletteWindowTest, SecondStartRestoresTheMinimisedPaletteAndBringsItForward) {
  ShowWindow(m_palette, SW_MINIMIZE);
  ASSERT_TRUE(robot::WaitUntil([&] { return IsIconic(m_palette) != FALSE; }, 5s));

  robot::Process second = robot::Start("Velmora.exe", "/ACT");
  ASSERT_TRUE(second.WaitForExit(10s));
  EXPECT_TRUE(robot::WaitUntil([&] { return !IsIconic(m_palette) && GetForegroundWindow() == m_palette; }, 5s));
  // The second start only asked for the state (its palette object does that); it changed nothing.
  for (int request : m_driver.Requests()) EXPECT_EQ(1, request);
  EXPECT_EQ(4, m_driver.State());
  EXPECT_TRUE(m_process.Running());
}

}  // namespace
