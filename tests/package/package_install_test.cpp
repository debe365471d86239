// A silent install, then the installed program against the installed driver service.
#include "tests/package/package_fixture.h"

#include <commctrl.h>

#include "res/resource.h"

namespace package_e2e {
namespace {

constexpr int kToggleButton = IDC_ACTIVATE, kOptionsButton = IDC_OPTIONS, kClearCacheButton = IDC_CLEAR_CACHE,
              kMinutesBox = IDC_MINUTES;
constexpr int kApplyButton = 0x3021;

class PackageInstallTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0u, InstallQuietly(PackageFolder())); }

  // Opens the options; a first opening without stored settings reports them missing (and
  // stores the defaults): those boxes are answered.
  static HWND OpenOptions(robot::Process& p, HWND palette) {
    robot::PressButton(palette, kOptionsButton);
    HWND sheet = nullptr;
    robot::WaitUntil(
        [&] {
          for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid())) robot::PressButton(b.wnd, IDOK);
          return (sheet = robot::FindTopWindow(p.Pid(), "#32770", "Velmora Options")) != nullptr;
        },
        15s);
    EXPECT_NE(nullptr, sheet) << "the options sheet did not open";
    robot::WaitUntil([] { return false; }, 300ms);
    return sheet;
  }
  static HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
};

TEST_F(PackageInstallTest, SilentInstallGivesAWorkingProgramAgainstTheService) {
  const std::string dir = kInstallDir;
  EXPECT_TRUE(FileExists(dir + "\\Velmora.exe"));
  EXPECT_TRUE(FileExists(dir + "\\vlifs95sim.exe"));
  // The installer's directory property ends with a backslash; the program strips it.
  EXPECT_EQ(std::optional<std::string>(dir + "\\"), robot::GetString(kProduct, "InstalledDirectory"));
  EXPECT_EQ(std::optional<std::string>("\"" + dir + "\\Velmora.exe\" /AUT"), robot::GetString(kRun, kLogOnEntry));
  EXPECT_FALSE(robot::ValueExists(kRun, "VelmoraUpgrade")) << "that name belongs to the upgrade offer";
  EXPECT_EQ((std::vector<std::string>{"4.5.1.370"}), InstalledVersions());
  const std::string shortcut = ShortcutPath();
  ASSERT_FALSE(shortcut.empty()) << "no Start-menu shortcut";
  EXPECT_EQ(dir + "\\Velmora.exe", ShortcutTarget(shortcut));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState());
  std::vector<std::int32_t> status = DriverStatus();
  ASSERT_FALSE(status.empty()) << "the service does not answer";
  EXPECT_EQ((std::vector<std::int32_t>{4, 5, 1, 370, 4}), std::vector<std::int32_t>(status.begin(), status.begin() + 5));

  // The user starts it from the shortcut: no error box (driver found, right version), and the
  // toggle reaches the service.
  robot::Process p = StartInstalledVelmora();
  HWND palette = WaitForPaletteAlone(p);
  ASSERT_NE(nullptr, palette);
  PostMessageA(GetDlgItem(palette, kToggleButton), BM_CLICK, 0, 0);
  robot::MessageBoxSeen box = NextBox(p);
  EXPECT_EQ("Velmora activated successfully.", box.text);
  robot::PressButton(box.wnd, IDOK);
  EXPECT_EQ(3, DriverStatus().at(4));
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  ClosePalette(p, palette);
}

TEST_F(PackageInstallTest, ServiceKeepsTheStateAndConsumesTheClearCacheMarkAcrossARestart) {
  robot::Process activate = StartInstalledVelmora("/ACT /NOB");
  EXPECT_TRUE(activate.WaitForExit(15s));
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));

  // Clear Cache in the options, without restarting Windows.
  robot::Process p = StartInstalledVelmora();
  HWND palette = WaitForPaletteAlone(p);
  ASSERT_NE(nullptr, palette);
  HWND sheet = OpenOptions(p, palette);
  ASSERT_NE(nullptr, sheet);
  robot::PressButton(Page(sheet), kClearCacheButton);
  robot::MessageBoxSeen box = NextBox(p);
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil(
      [&] {
        auto boxes = robot::MessageBoxes(p.Pid());
        return !boxes.empty() && boxes[0].wnd != box.wnd && (box = boxes[0], true);
      },
      10s));
  robot::PressButton(box.wnd, IDNO);
  EXPECT_TRUE(robot::WaitUntil([&] { return robot::GetString(kCache, "ClearCache").has_value(); }, 5s));
  robot::PressButton(sheet, IDCANCEL);
  robot::WaitUntil([&] { return !IsWindowVisible(sheet); }, 5s);
  ClosePalette(p, palette);
  EXPECT_EQ(0, DriverStatus().at(11)) << "the mark waits for the next start";
  // A second driver cannot have the pipe, and so takes nothing of the driver's state.
  robot::Process second = robot::Start(std::string(kInstallDir) + "\\vlifs95sim.exe", "--registry");
  DWORD code = 0;
  EXPECT_TRUE(second.WaitForExit(10s, &code));
  EXPECT_EQ(1u, code);
  EXPECT_TRUE(robot::ValueExists(kCache, "ClearCache"));

  ASSERT_TRUE(StopService());
  ASSERT_TRUE(StartService());
  const std::vector<std::int32_t> status = DriverStatus();
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(3, status[4]) << "the state recorded by the program survives the restart";
  EXPECT_EQ(1, status[11]) << "the cache was cleared at the start";
  EXPECT_FALSE(robot::ValueExists(kCache, "ClearCache")) << "the mark is honoured once";

  ASSERT_TRUE(StopService());
  ASSERT_TRUE(StartService());
  EXPECT_EQ(0, DriverStatus().at(11));
}

TEST_F(PackageInstallTest, ApplyWithAChangeMakesTheServiceReportTheNewSettings) {
  robot::Process p = StartInstalledVelmora();
  HWND palette = WaitForPaletteAlone(p);
  ASSERT_NE(nullptr, palette);
  HWND sheet = OpenOptions(p, palette);
  ASSERT_NE(nullptr, sheet);
  HWND minutes = GetDlgItem(Page(sheet), kMinutesBox);
  PostMessageA(minutes, EM_SETSEL, 0, -1);
  for (char c : std::string("30")) PostMessageA(minutes, WM_CHAR, static_cast<WPARAM>(c), 0);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::Text(minutes) == "30"; }, 5s));
  robot::PressButton(sheet, kApplyButton);
  ASSERT_TRUE(robot::WaitUntil([&] { return robot::GetDword(kCache, "RefreshTimer") == std::optional<DWORD>(1800); }, 5s));
  std::vector<std::int32_t> status;
  EXPECT_TRUE(robot::WaitUntil(
      [&] {
        status = DriverStatus();
        return status.size() > 10 && status[10] >= 1;
      },
      5s))
      << "no settings-changed request reached the service";
  ASSERT_GT(status.size(), 10u);
  EXPECT_EQ(0, status[5]) << "every setting taken";
  EXPECT_EQ((std::vector<std::int32_t>{2048, 20480, 1800}), std::vector<std::int32_t>(status.begin() + 6, status.begin() + 9));
  EXPECT_TRUE(robot::MessageBoxes(p.Pid()).empty()) << "the service answered the request";
  robot::PressButton(sheet, IDCANCEL);
  robot::WaitUntil([&] { return !IsWindowVisible(sheet); }, 5s);
  ClosePalette(p, palette);
}

}  // namespace
}  // namespace package_e2e
