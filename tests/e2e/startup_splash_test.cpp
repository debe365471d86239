// The start-up picture of a command-line activation: shown centred on the work area before the
// activation, gone before the program ends; "/NOB" keeps it away. The picture lives only for
// a moment, so a hook in the program reports it and the program waits while the test looks.
#include <gtest/gtest.h>

#include <vector>

#include "common/palette_contract.h"
#include "tests/e2e/prefix_dpi.h"
#include "tests/programs/window_watch.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;

struct Seen {
  window_watch::Event event;
  std::vector<int> requestsSoFar;  // what the driver had received when the program reported
};

robot::FakeDriver* g_driver = nullptr;
std::vector<Seen>* g_seen = nullptr;

LRESULT CALLBACK ReceiverProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (cds->dwData == window_watch::kCopyDataTag && cds->cbData == sizeof(window_watch::Event) && g_seen) {
      Seen s{*static_cast<const window_watch::Event*>(cds->lpData), g_driver ? g_driver->Requests() : std::vector<int>{}};
      g_seen->push_back(s);
    }
    return TRUE;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

class StartupSplashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = window_watch::kReceiverClass;
    RegisterClassA(&wc);
    m_receiver = CreateWindowExA(0, window_watch::kReceiverClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_NE(nullptr, m_receiver);
    m_hookDll = LoadLibraryA((robot::ProgramDir() + "\\window_watch_hook.dll").c_str());
    ASSERT_NE(nullptr, m_hookDll);
    auto watch = reinterpret_cast<HHOOK (*)()>(reinterpret_cast<void*>(GetProcAddress(m_hookDll, "WatchWindows")));
    ASSERT_NE(nullptr, watch);
    m_hook = watch();
    ASSERT_NE(nullptr, m_hook);
    g_seen = &m_seen;
  }
  void TearDown() override {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    if (m_receiver) DestroyWindow(m_receiver);
    if (m_hookDll) FreeLibrary(m_hookDll);
    g_seen = nullptr;
    g_driver = nullptr;
  }

  // Runs the program against the driver to its end, receiving the hook's reports meanwhile.
  void RunToEnd(robot::FakeDriver& driver, const std::string& args, DWORD* pid) {
    ASSERT_TRUE(driver.Serving());
    g_driver = &driver;
    robot::Process p = robot::Start("Velmora.exe", args);
    ASSERT_TRUE(p.Running());
    *pid = p.Pid();
    ASSERT_TRUE(robot::WaitUntil([&] { return !p.Running(); }, 15s)) << "the program did not end";
    robot::WaitUntil([] { return false; }, 200ms);  // reports still queued
  }

  std::vector<Seen> Of(DWORD pid) const {
    std::vector<Seen> out;
    for (const Seen& s : m_seen) {
      if (s.event.pid == pid && s.event.event != window_watch::kPainted) out.push_back(s);
    }
    return out;
  }

  HWND m_receiver = nullptr;
  HMODULE m_hookDll = nullptr;
  HHOOK m_hook = nullptr;
  std::vector<Seen> m_seen;
};

TEST_F(StartupSplashTest, ActivationShowsThePictureCentredOnTheWorkAreaFirst) {
  robot::FakeDriver driver;
  DWORD pid = 0;
  ASSERT_NO_FATAL_FAILURE(RunToEnd(driver, "/ACT", &pid));
  EXPECT_EQ(3, driver.State()) << "the activation did not happen";

  const std::vector<Seen> seen = Of(pid);
  ASSERT_EQ(2u, seen.size()) << "expected the picture shown once and destroyed once";
  bool painted = false;
  for (const Seen& s : m_seen) painted = painted || (s.event.pid == pid && s.event.event == window_watch::kPainted);
  EXPECT_TRUE(painted) << "the picture was never painted";
  const Seen& shown = seen[0];
  const Seen& gone = seen[1];
  EXPECT_EQ(window_watch::kShown, shown.event.event);
  EXPECT_EQ(window_watch::kDestroyed, gone.event.event);

  const RECT r = shown.event.rect;
  // The picture drawn for the prefix's scale: 594 x 183 at 96 DPI.
  EXPECT_EQ(palette_e2e::AtPrefixScale(594), r.right - r.left);
  EXPECT_EQ(palette_e2e::AtPrefixScale(183), r.bottom - r.top);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 1);

  // Shown and gone before the activate request reached the driver.
  for (const Seen* s : {&shown, &gone}) {
    EXPECT_EQ(s->requestsSoFar.end(), std::find(s->requestsSoFar.begin(), s->requestsSoFar.end(), 2));
  }
  EXPECT_NE(gone.requestsSoFar.size(), driver.Requests().size()) << "the activation's requests came first";
}

TEST_F(StartupSplashTest, NoBannerSwitchKeepsThePictureAway) {
  robot::FakeDriver driver;
  DWORD pid = 0;
  ASSERT_NO_FATAL_FAILURE(RunToEnd(driver, "/ACT /NOB", &pid));
  EXPECT_EQ(3, driver.State());
  EXPECT_TRUE(Of(pid).empty());
}

TEST_F(StartupSplashTest, PaletteStartShowsNoPicture) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  robot::Process p = robot::Start("Velmora.exe", "");
  HWND palette = robot::WaitForTopWindow(p.Pid(), velmora::kPaletteClassName, "Corvane Velmora", 10s);
  ASSERT_NE(nullptr, palette);
  PostMessageA(palette, WM_CLOSE, 0, 0);
  ASSERT_TRUE(robot::WaitUntil([&] { return !p.Running(); }, 10s));
  EXPECT_TRUE(Of(p.Pid()).empty());
}

}  // namespace
