// Yes on the upgrade prompt: confirming or choosing the installer, and starting it.
#include <algorithm>

#include "tests/e2e/upgrade_fixture.h"

namespace upgrade_e2e {
namespace {

// Requests the driver received that were not the palette's one status read at construction.
int DriverRequestsBeyondTheStatusRead(const robot::FakeDriver& driver) {
  std::vector<int> requests = driver.Requests();
  const auto statusReads = std::count(requests.begin(), requests.end(), 1);
  return static_cast<int>(requests.size()) - static_cast<int>(std::min<std::ptrdiff_t>(statusReads, 1));
}

TEST_F(UpgradeTest, YesAndOkStartTheInstallerAfterWithdrawingTheOfferAndEnd) {
  Offer();
  PutInstaller(m_installDir);
  robot::Process p = StartVelmora();
  HWND prompt = WaitForPrompt(p);
  ASSERT_NE(nullptr, prompt);
  const std::size_t requestsAtPrompt = m_driver->Requests().size();
  CheckDontAskAgain(prompt);

  HWND program = Yes(p, prompt);
  ASSERT_NE(nullptr, program);
  EXPECT_EQ(prompt, GetWindow(program, GW_OWNER));
  // "SetupExeDir" missing: the installation directory.
  EXPECT_EQ(m_installDir + "\\SETUP.EXE", robot::Text(GetDlgItem(program, kProgramPath)));
  RECT r{};
  GetWindowRect(program, &r);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, r.left);
  robot::PressButton(program, IDOK);

  DWORD code = 99;
  ASSERT_TRUE(p.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  auto log = WaitForInstallerLog(m_installDir);
  ASSERT_FALSE(log.empty()) << "the installer did not run";
  EXPECT_EQ(Upper(m_installDir), log["cwd"]);
  EXPECT_NE(std::string::npos, log["cmdline"].find(Upper(m_installDir) + "\\SETUP.EXE")) << log["cmdline"];
  // The check box took effect before the installer started.
  EXPECT_EQ("0", log["marker"]);
  EXPECT_EQ("0", log["request"]);
  EXPECT_TRUE(OfferGone());
  EXPECT_EQ(requestsAtPrompt, m_driver->Requests().size());
  EXPECT_EQ(0, DriverRequestsBeyondTheStatusRead(*m_driver));
}

TEST_F(UpgradeTest, SetupExeDirAsStoredChoosesTheInstallerAndAmpersandsShowLiterally) {
  Offer();
  // Longer than the 127 characters the old existence test could take.
  const std::string dist = MakeDir("r&d dist " + std::string(100, 'v'));
  ASSERT_GT(dist.size() + 10, 127u);
  PutInstaller(dist);
  robot::SetString(kProduct, "SetupExeDir", dist);
  robot::Process p = StartVelmora();
  HWND prompt = nullptr;
  HWND program = nullptr;
  ASSERT_NO_FATAL_FAILURE(PromptThenYes(p, &prompt, &program));
  HWND path = GetDlgItem(program, kProgramPath);
  EXPECT_EQ(dist + "\\SETUP.EXE", robot::Text(path));
  EXPECT_NE(0, GetWindowLongA(path, GWL_STYLE) & SS_NOPREFIX);
  robot::PressButton(program, IDOK);

  ASSERT_TRUE(p.WaitForExit(10s));
  auto log = WaitForInstallerLog(dist);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(Upper(dist), log["cwd"]);
  // No check box: the offer stays for the next start.
  EXPECT_EQ("1", log["request"]);
  EXPECT_TRUE(robot::ValueExists(kGeneral, "ShouldUpgrade"));
  EXPECT_TRUE(FileExists(m_installDir + "\\UPGRADE.DAT"));
  EXPECT_EQ(0, DriverRequestsBeyondTheStatusRead(*m_driver));
}

TEST_F(UpgradeTest, MissingInstallerIsRefusedUntilBrowseFindsOne) {
  Offer();
  const std::string other = MakeDir("New Setup");
  PutInstaller(other, "Setup2.exe");
  robot::Process p = StartVelmora();
  HWND prompt = WaitForPrompt(p);
  ASSERT_NE(nullptr, prompt);

  // Cancel in the program dialog leaves the prompt open.
  HWND program = Yes(p, prompt);
  ASSERT_NE(nullptr, program);
  robot::PressButton(program, IDCANCEL);
  ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(program); }, 5s));
  EXPECT_TRUE(IsWindowVisible(prompt));

  program = Yes(p, prompt);
  ASSERT_NE(nullptr, program);
  robot::PressButton(program, IDOK);
  robot::MessageBoxSeen box;
  ASSERT_TRUE(WaitForErrorBox(p, &box));
  EXPECT_EQ("Velmora Error :  25", box.caption);
  EXPECT_EQ("Cannot locate the installer to upgrade Velmora.", box.text);
  EXPECT_TRUE(box.hasIcon);
  robot::PressButton(box.wnd, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(box.wnd); }, 5s));
  EXPECT_TRUE(IsWindowVisible(program)) << "the program dialog stays after 20025";

  // Browse, cancelled first: the path stays.
  robot::PressButton(program, kBrowse);
  HWND open = robot::WaitForTopWindow(p.Pid(), "#32770", "Open", 10s);
  ASSERT_NE(nullptr, open);
  robot::PressButton(open, IDCANCEL);
  ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(open); }, 5s));
  EXPECT_EQ(m_installDir + "\\SETUP.EXE", robot::Text(GetDlgItem(program, kProgramPath)));

  // Browse again and choose the other installer, as a person would type it.
  robot::PressButton(program, kBrowse);
  open = robot::WaitForTopWindow(p.Pid(), "#32770", "Open", 10s);
  ASSERT_NE(nullptr, open);
  HWND name = FindFileNameEdit(open);
  ASSERT_NE(nullptr, name);
  // Programs first, read-only choice hidden, the current path offered.
  EXPECT_EQ("Programs ", robot::Text(GetDlgItem(open, 0x470)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(open, 0x410)));
  EXPECT_NE(std::string::npos, robot::Text(name).find("SETUP.EXE")) << robot::Text(name);
  const std::string chosen = other + "\\Setup2.exe";
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
  robot::PressButton(open, IDOK);
  ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(open); }, 10s));
  EXPECT_EQ(chosen, robot::Text(GetDlgItem(program, kProgramPath)));

  robot::PressButton(program, IDOK);
  ASSERT_TRUE(p.WaitForExit(10s));
  auto log = WaitForInstallerLog(other);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(Upper(other), log["cwd"]);
  EXPECT_NE(std::string::npos, log["cmdline"].find(Upper(chosen))) << log["cmdline"];
}

TEST_F(UpgradeTest, InstallerThatCannotStartIsReportedWithItsPathAndTheProgramEnds) {
  Offer();
  WriteFile(m_installDir + "\\SETUP.EXE", "not a program");
  robot::Process p = StartVelmora();
  HWND prompt = nullptr;
  HWND program = nullptr;
  ASSERT_NO_FATAL_FAILURE(PromptThenYes(p, &prompt, &program));
  robot::PressButton(program, IDOK);

  robot::MessageBoxSeen box;
  // The shell may show a box of its own first; answer it like a person would.
  ASSERT_TRUE(robot::WaitUntil(
      [&] {
        for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid())) {
          if (b.caption == "Velmora Error :  16") {
            box = b;
            return true;
          }
          if (b.wnd != prompt && b.wnd != program) robot::PressButton(b.wnd, IDOK);
        }
        return false;
      },
      10s));
  EXPECT_EQ("Velmora could not execute the program <" + Upper(m_installDir) +
                "\\SETUP.EXE>.  Please reinstall Velmora or contact your System Administrator.",
            box.text);
  EXPECT_EQ(nullptr, box.owner);
  robot::PressButton(box.wnd, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(p.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_EQ(0, DriverRequestsBeyondTheStatusRead(*m_driver));
}

}  // namespace
}  // namespace upgrade_e2e
