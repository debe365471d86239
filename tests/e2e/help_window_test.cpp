// Help opens in the system's HTML Help viewer at the page of the window that asked. Under this
// Wine the viewer's page pane stays blank, so the test knows the page from the viewer's own
// trace (WINEDEBUG=+htmlhelp): the page it navigates to, "mk:@MSITStore:...\Velmora.chm::/palette.htm".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/options_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr char kViewerClass[] = "HH Parent";
constexpr char kViewerTitle[] = "Velmora Help";

class HelpWindowTest : public options_e2e::OptionsTest {
 protected:
  void StartPalette() {
    m_trace = robot::ProgramDir() + "\\help_window_test.trace";
    m_process = robot::StartTraced("Velmora.exe", "", "+htmlhelp", m_trace);
    m_palette = palette_e2e::WaitForPalette(m_process);
  }
  // Does `ask`, then waits for the one help window of the program and for the viewer to trace
  // its navigation to `page`; false (with the trace's new part) when either does not come.
  ::testing::AssertionResult OpensAt(const char* page, const std::function<void()>& ask) {
    const std::size_t tracedBefore = robot::ReadSharedFile(m_trace).size();
    ask();
    const std::string navigation = std::string("Velmora.chm::/") + page;
    std::string traced;
    const bool navigated = robot::WaitUntil(
        [&] {
          traced = robot::ReadSharedFile(m_trace).substr(tracedBefore);
          const std::size_t at = traced.find("navigate_url");
          return at != std::string::npos && traced.find(navigation, at) != std::string::npos;
        },
        10s);
    if (!navigated) return ::testing::AssertionFailure() << "no navigation to " << navigation << " in:\n" << traced;
    HWND viewer = robot::FindTopWindow(m_process.Pid(), kViewerClass, kViewerTitle);
    if (!viewer) return ::testing::AssertionFailure() << "no help window \"" << kViewerTitle << "\"";
    int viewers = 0;
    for (HWND w : robot::TopWindows(m_process.Pid())) viewers += robot::ClassName(w) == kViewerClass;
    if (viewers != 1) return ::testing::AssertionFailure() << viewers << " help windows";
    m_viewer = viewer;
    return ::testing::AssertionSuccess();
  }
  bool ViewerGone() const { return !robot::FindTopWindow(m_process.Pid(), kViewerClass, ""); }

  std::string m_trace;
  HWND m_viewer = nullptr;
};

TEST_F(HelpWindowTest, PaletteAndSheetOpenTheirPagesAndClosingThePaletteClosesHelp) {
  options_e2e::StoreCache(2048, 20480, 600);
  StartPalette();
  ASSERT_NE(nullptr, m_palette);
  HWND helpButton = GetDlgItem(m_palette, IDC_HELP_BUTTON);

  // The Help button, as a person clicks it.
  EXPECT_TRUE(OpensAt("palette.htm", [&] {
    palette_e2e::ClickUntil(helpButton, [&] { return !ViewerGone(); });
  }));
  // F1 on the palette: the help window already open comes to the front at the page, not a second one.
  HWND first = m_viewer;
  EXPECT_TRUE(OpensAt("palette.htm", [&] {
    ASSERT_TRUE(palette_e2e::WaitUntilTakesInput(m_palette));
    PostMessageA(helpButton, WM_KEYDOWN, VK_F1, 0);
    PostMessageA(helpButton, WM_KEYUP, VK_F1, 0);
  }));
  EXPECT_EQ(first, m_viewer);
  EXPECT_TRUE(robot::WaitUntil([&] { return GetForegroundWindow() == m_viewer; }, 5s));

  // The sheet's Help button and F1 in its page: the Cache page's topic.
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_TRUE(OpensAt("cache.htm", [&] { PostMessageA(m_sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0); }));
  PostMessageA(m_viewer, WM_CLOSE, 0, 0);
  ASSERT_TRUE(robot::WaitUntil([&] { return ViewerGone(); }, 5s));
  EXPECT_TRUE(OpensAt("cache.htm", [&] {
    PostMessageA(Box(options_e2e::kMaxSizeBox), WM_KEYDOWN, VK_F1, 0);
    PostMessageA(Box(options_e2e::kMaxSizeBox), WM_KEYUP, VK_F1, 0);
  }));
  PressAndSettle(IDCANCEL);
  ASSERT_TRUE(SheetClosed());

  // Closing the palette closes the help it opened; the program ends.
  if (ViewerGone()) {
    EXPECT_TRUE(OpensAt("palette.htm", [&] { PostMessageA(m_palette, WM_HELP, 0, 0); }));
  }
  ASSERT_FALSE(ViewerGone());
  PostMessageA(m_palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(robot::WaitUntil([&] { return ViewerGone(); }, 10s));
  EXPECT_TRUE(m_process.WaitForExit(10s));
}

}  // namespace
