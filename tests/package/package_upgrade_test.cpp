// Upgrade, repair and uninstall of the installed package, and the installs that must be refused.
#include <fstream>

#include "common/palette_contract.h"
#include "res/resource.h"
#include "tests/package/package_fixture.h"

namespace package_e2e {
namespace {

constexpr char kPromptCaption[] = "Velmora Upgrade";
constexpr char kProgramCaption[] = "Velmora Client Upgrade";

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

class PackageUpgradeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0u, InstallQuietly(PackageFolder())); }

  // What a user stored: settings and the default agent.
  static void StoreUserSettings() {
    robot::SetDword(kCache, "BlockSize", 4096);
    robot::SetDword(kCache, "MaxSize", 51200);
    robot::SetDword(kCache, "RefreshTimer", 3725);
    robot::SetString("SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents", "Default", "AGENT7");
  }
  static void ExpectUserSettingsKept() {
    EXPECT_EQ(std::optional<DWORD>(4096), robot::GetDword(kCache, "BlockSize"));
    EXPECT_EQ(std::optional<DWORD>(51200), robot::GetDword(kCache, "MaxSize"));
    EXPECT_EQ(std::optional<DWORD>(3725), robot::GetDword(kCache, "RefreshTimer"));
    EXPECT_EQ(std::optional<std::string>("AGENT7"),
              robot::GetString("SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents", "Default"));
  }
  // Copies SETUP.EXE (and the package, unless told otherwise) into a staging folder.
  static std::string Stage(const std::string& name, const std::string& from, bool withPackage = true) {
    const std::string dir = MakeFolder(name);
    EXPECT_TRUE(CopyFileA((from + "\\SETUP.EXE").c_str(), (dir + "\\SETUP.EXE").c_str(), FALSE));
    if (withPackage) {
      EXPECT_TRUE(CopyFileA((from + "\\Velmora.msi").c_str(), (dir + "\\Velmora.msi").c_str(), FALSE));
    }
    return dir;
  }
  static bool NewerInstalled() {
    return robot::WaitUntil([] { return InstalledVersions() == std::vector<std::string>{"4.6.0.371"}; }, 60s);
  }
  static void ExpectWorkingProgram() {
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState());
    robot::Process p = StartInstalledVelmora();
    HWND palette = WaitForPaletteAlone(p);
    if (palette) ClosePalette(p, palette);
  }
};

TEST_F(PackageUpgradeTest, UpgradeThroughTheProgramsOwnPromptInstallsTheNewerPackageAndEndsTheOffer) {
  StoreUserSettings();
  const std::string staging = Stage("Velmora staging", NewerPackageFolder());
  robot::SetString(kProduct, "SetupExeDir", staging);
  robot::SetDword(kGeneral, "ShouldUpgrade", 1);
  robot::SetString(kRun, "VelmoraUpgrade", std::string(kInstallDir) + "\\UPGRADE.EXE");
  std::ofstream(std::string(kInstallDir) + "\\UPGRADE.DAT") << "4.6.0";

  robot::Process p = StartInstalledVelmora();
  HWND prompt = robot::WaitForTopWindow(p.Pid(), "#32770", kPromptCaption, 15s);
  ASSERT_NE(nullptr, prompt);
  robot::PressButton(prompt, IDOK);  // Yes
  HWND program = robot::WaitForTopWindow(p.Pid(), "#32770", kProgramCaption, 10s);
  ASSERT_NE(nullptr, program);
  EXPECT_EQ(Upper(staging + "\\SETUP.EXE"), Upper(robot::Text(GetDlgItem(program, IDC_UPGRADE_PROGRAM_PATH))));
  robot::PressButton(program, IDOK);
  EXPECT_TRUE(p.WaitForExit(15s)) << "the program ends once the installer started";

  ASSERT_TRUE(NewerInstalled()) << "the newer package did not replace the older";
  // The offer is fulfilled: request, log-on entry and marker gone.
  EXPECT_TRUE(robot::WaitUntil([] { return !robot::ValueExists(kGeneral, "ShouldUpgrade"); }, 10s));
  EXPECT_FALSE(robot::ValueExists(kRun, "VelmoraUpgrade"));
  EXPECT_FALSE(FileExists(std::string(kInstallDir) + "\\UPGRADE.DAT"));
  EXPECT_TRUE(robot::ValueExists(kRun, kLogOnEntry));
  ExpectUserSettingsKept();
  ExpectWorkingProgram();
}

TEST_F(PackageUpgradeTest, RepairRestoresADeletedProgram) {
  const std::string exe = std::string(kInstallDir) + "\\Velmora.exe";
  ASSERT_TRUE(DeleteFileA(exe.c_str()));
  robot::SetDword(kGeneral, "ShouldUpgrade", 1);  // an offer of a later version
  // Repair by the installer's properties: this Wine's "msiexec /fa" does not find the product.
  EXPECT_EQ(0u, Msiexec("/i \"" + PackageFolder() + "\\Velmora.msi\" REINSTALL=ALL REINSTALLMODE=amus /qn"));
  EXPECT_TRUE(FileExists(exe));
  EXPECT_TRUE(robot::ValueExists(kGeneral, "ShouldUpgrade")) << "a repair fulfils no offer";
  robot::DeleteKeyTree(kGeneral);
  ExpectWorkingProgram();
}

TEST_F(PackageUpgradeTest, UninstallRemovesWhatItInstalledAndKeepsTheStoredSettings) {
  StoreUserSettings();
  robot::Process activate = StartInstalledVelmora("/ACT /NOB");
  EXPECT_TRUE(activate.WaitForExit(15s));
  const std::string shortcut = ShortcutPath();
  ASSERT_FALSE(shortcut.empty());

  EXPECT_EQ(0u, Msiexec("/x \"" + PackageFolder() + "\\Velmora.msi\" /qn"));
  EXPECT_FALSE(FileExists(kInstallDir));
  EXPECT_FALSE(FileExists("C:\\Program Files\\Nolvex"));
  EXPECT_FALSE(FileExists(shortcut));
  EXPECT_FALSE(robot::ValueExists(kRun, kLogOnEntry));
  EXPECT_FALSE(robot::ValueExists(kProduct, "InstalledDirectory"));
  EXPECT_EQ(0u, ServiceState()) << "the service is removed";
  EXPECT_TRUE(InstalledVersions().empty());
  // What the user stored stays for a later installation.
  ExpectUserSettingsKept();
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
}

TEST_F(PackageUpgradeTest, SameVersionAgainLeavesOneWorkingInstallation) {
  const DWORD again = InstallQuietly(PackageFolder());
  EXPECT_TRUE(again == 0 || again == 1638) << again;  // nothing to do, or "already installed"
  EXPECT_EQ((std::vector<std::string>{"4.5.1.370"}), InstalledVersions());
  ExpectWorkingProgram();
}

TEST_F(PackageUpgradeTest, OlderOverNewerIsRefusedAndTheNewerStays) {
  ASSERT_EQ(0u, InstallQuietly(NewerPackageFolder()));
  ASSERT_EQ((std::vector<std::string>{"4.6.0.371"}), InstalledVersions());
  // The user's course: SETUP.EXE of the older package, with the installer's basic interface.
  const std::string staging = Stage("older", PackageFolder());
  robot::Process setup = robot::Start(staging + "\\SETUP.EXE", "", staging);
  robot::MessageBoxSeen box;
  ASSERT_TRUE(robot::WaitUntil([&] { return FindBoxOfAnyProcess("A newer version of Velmora", &box); }, 30s))
      << "the refusal is not told";
  EXPECT_EQ("A newer version of Velmora is already installed. Remove it first to install this one.", box.text);
  robot::PressButton(box.wnd, IDOK);
  DWORD code = 0;
  EXPECT_TRUE(setup.WaitForExit(30s, &code));
  EXPECT_EQ(1603u, code);
  EXPECT_EQ((std::vector<std::string>{"4.6.0.371"}), InstalledVersions());
  ExpectWorkingProgram();
}

TEST_F(PackageUpgradeTest, SetupWithoutAPackageOrWithADamagedOneSaysSoAndChangesNothing) {
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
  for (const bool damaged : {false, true}) {
    const std::string dir = Stage(damaged ? "damaged" : "alone", NewerPackageFolder(), false);
    if (damaged) std::ofstream(dir + "\\Velmora.msi", std::ios::binary) << "not a package";
    robot::Process setup = robot::Start(dir + "\\SETUP.EXE", "", dir);
    robot::MessageBoxSeen box = NextBox(setup);
    EXPECT_EQ("Velmora Setup", box.caption);
    EXPECT_NE(std::string::npos, box.text.find(dir + "\\Velmora.msi")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find(damaged ? "damaged" : "cannot find")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("Nothing was installed")) << box.text;
    robot::PressButton(box.wnd, IDOK);
    DWORD code = 0;
    EXPECT_TRUE(setup.WaitForExit(10s, &code));
    EXPECT_NE(0u, code);
  }
  EXPECT_EQ((std::vector<std::string>{"4.5.1.370"}), InstalledVersions());
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
}

TEST_F(PackageUpgradeTest, UpgradeWhileThePaletteRunsEndsWithTheNewFilesAndAWorkingProgram) {
  robot::Process p = StartInstalledVelmora();
  HWND palette = WaitForPaletteAlone(p);
  ASSERT_NE(nullptr, palette);
  const std::string exe = std::string(kInstallDir) + "\\Velmora.exe";
  const std::string staging = Stage("while running", NewerPackageFolder());
  ASSERT_NO_FATAL_FAILURE(UpgradeThroughSetupWhileRunning(staging, p));
  EXPECT_TRUE(FileExists(exe));
  // SETUP.EXE starts the palette it closed again: close that one to start one as a user does.
  HWND restarted = nullptr;
  EXPECT_TRUE(robot::WaitUntil([&] { return (restarted = FindWindowA(velmora::kPaletteClassName, nullptr)) != nullptr; }, 20s));
  if (restarted) CloseStartedPalette(restarted);
  ExpectWorkingProgram();
}

}  // namespace
}  // namespace package_e2e
