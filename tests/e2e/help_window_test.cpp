// Help opens in the system's HTML Help viewer at the page of the window that asked. Under this
// Wine the viewer's page pane stays blank, so the test knows the page from the viewer's own
// trace (WINEDEBUG=+htmlhelp): the page it navigates to, "mk:@MSITStore:...\Velmora.chm::/palette.htm".
// Wine writes its trace to the standard error its process was started with, which no Windows
// handle redirects: the program is started through the system's shell, with its standard error
// in a file of the build folder, and found by its palette.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/options_fixture.h"

namespace {

using namespace std::chrono_literals;

// "Z:\a\b" (the drive that maps the whole file system) as the system's shell names it.
std::string UnixPath(const std::string& path) {
  std::string unix = path.substr(2);
  for (char& c : unix) {
    if (c == '\\') c = '/';
  }
  return unix;
}

// F1 as a person presses it, on the window that has the keyboard in `top`.
void PressF1(HWND top) {
  SetForegroundWindow(top);
  robot::WaitUntil([&] { return GetForegroundWindow() == top; }, 2s);
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

std::string ReadSharedFile(const std::string& path) {
  framework::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  char buf[4096];
  DWORD got = 0;
  while (file && ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
  return text;
}

constexpr char kViewerClass[] = "HH Parent";
constexpr char kViewerTitle[] = "Velmora Help";

class HelpWindowTest : public options_e2e::OptionsTest {
 protected:
  void StartTracedPalette() {
    const std::string dir = robot::ProgramDir();
    ASSERT_EQ(0, dir.compare(0, 3, "Z:\\")) << "the build folder is not on the drive of the whole file system";
    m_trace = dir + "\\help_window_test.trace";
    DeleteFileA(m_trace.c_str());
    std::string cmd = "/bin/sh -c \"WINEDEBUG=+htmlhelp exec wine '" + UnixPath(dir) + "/Velmora.exe' 2>'" +
                      UnixPath(m_trace) + "'\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_TRUE(robot::WaitUntil([&] { return (m_palette = FindWindowA("VelmoraMainPalette", nullptr)) != nullptr; }, 20s));
    DWORD pid = 0;
    GetWindowThreadProcessId(m_palette, &pid);
    m_process = robot::Process(framework::UniqueKernelHandle(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid)), pid);
    ASSERT_TRUE(m_process.Running());
    ASSERT_EQ(m_palette, palette_e2e::WaitForPalette(m_process));
  }
  // Does `ask`, then waits for the one help window of the program and for the viewer to trace
  // its navigation to `page`; false (with the trace's new part) when either does not come.
  ::testing::AssertionResult OpensAt(const char* page, const std::function<void()>& ask) {
    const std::size_t tracedBefore = ReadSharedFile(m_trace).size();
    ask();
    const std::string navigation = std::string("Velmora.chm::/") + page;
    std::string traced;
    const bool navigated = robot::WaitUntil(
        [&] {
          traced = ReadSharedFile(m_trace).substr(tracedBefore);
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
  StartTracedPalette();
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
    PressF1(m_palette);
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
    PressF1(m_sheet);
  }));
  PressAndSettle(IDCANCEL);
  ASSERT_TRUE(SheetClosed());

  // Help stays open when the sheet closes; closing the palette closes it, and the program ends.
  ASSERT_FALSE(ViewerGone()) << "the help window closed with the sheet";
  // (The program's end would take the window with it anyway: the viewer's trace shows that the
  // program closed it.)
  const std::size_t tracedBefore = ReadSharedFile(m_trace).size();
  PostMessageA(m_palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(robot::WaitUntil([&] { return ViewerGone(); }, 10s));
  EXPECT_TRUE(m_process.WaitForExit(10s));
  EXPECT_NE(std::string::npos, ReadSharedFile(m_trace).find("command=HH_CLOSE_ALL", tracedBefore));
}

// A copy of the program without its help file beside it: one box names the file it looked for,
// beside the program and not in the current folder.
TEST_F(HelpWindowTest, WithoutItsHelpFileTheProgramSaysWhichFileIsMissing) {
  const std::string dir = robot::ProgramDir() + "\\without-help";
  CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((robot::ProgramDir() + "\\Velmora.exe").c_str(), (dir + "\\Velmora.exe").c_str(), FALSE));
  m_process = robot::Start(dir + "\\Velmora.exe", "", robot::ProgramDir());
  m_palette = palette_e2e::WaitForPalette(m_process);
  ASSERT_NE(nullptr, m_palette);
  palette_e2e::ClickUntil(GetDlgItem(m_palette, IDC_HELP_BUTTON), [&] { return !robot::MessageBoxes(m_process.Pid()).empty(); });
  robot::MessageBoxSeen box;
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &box, 10s));
  EXPECT_EQ("Velmora", box.caption);
  EXPECT_EQ("Help cannot be shown: <" + dir + "\\Velmora.chm> could not be opened.  Please reinstall Velmora or "
            "contact your System Administrator.", box.text);
  robot::PressButton(box.wnd, IDOK);
  EXPECT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(m_process.Pid()).empty(); }, 5s));
  EXPECT_TRUE(ViewerGone());
}

}  // namespace
