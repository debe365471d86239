// Deployment at scale: silent installs with cache presets, a chosen folder kept across upgrade,
// repair and uninstall, one entry per three-field version, the feature tree, the purge, and the
// upgrade offer's marks kept by an install that fails late.
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "res/resource.h"
#include "tests/package/package_fixture.h"
#include "tests/robot/fake_driver.h"

namespace package_e2e {
namespace {

constexpr char kToolsDir[] = "C:\\Tools\\Velmora";
constexpr char kClientKey[] = "SOFTWARE\\NOLVEX\\VELMORA";

std::string Package(const std::string& folder) { return "\"" + folder + "\\Velmora.msi\""; }

// The installer's verbose log as text: this Wine writes it in the ANSI code page, Windows in
// UTF-16; the lines looked for are ASCII either way.
std::string ReadLog(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 2 || bytes[1] != '\0') return bytes;
  std::string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) text += bytes[i + 1] ? '?' : bytes[i];
  return text;
}

// The Programs and Features entry of the installed Velmora ("" when none).
std::string UninstallEntry() {
  framework::UniqueKey uninstall;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, uninstall.put()) != ERROR_SUCCESS) return "";
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(uninstall.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::string key = std::string(kUninstallKey) + "\\" + name;
    if (robot::GetString(key, "DisplayName") == std::optional<std::string>("Velmora")) return key;
  }
  return "";
}

bool FolderIsEmptyOrGone(const std::string& dir) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  bool empty = true;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") empty = false;
  } while (empty && FindNextFileA(search, &found));
  FindClose(search);
  return empty;
}

// msiexec with a command line beyond the ANSI code page; its exit code.
DWORD MsiexecWide(const std::wstring& args) {
  wchar_t system[MAX_PATH];
  const UINT n = GetSystemDirectoryW(system, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(system, n) + L"\\msiexec.exe\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    ADD_FAILURE() << "msiexec did not start: " << GetLastError();
    return 0xFFFFFFFF;
  }
  const framework::UniqueKernelHandle process(started.hProcess);
  const framework::UniqueKernelHandle thread(started.hThread);
  DWORD code = 0xFFFFFFFF;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 120000));
  GetExitCodeProcess(process.get(), &code);
  return code;
}

class PackageDeployTest : public ::testing::Test {};

TEST_F(PackageDeployTest, PresetsAreStoredTypedInThePagesUnitsAndAStoredValueIsKeptUnlessGiven) {
  ASSERT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " CACHEBLOCKSIZE=4 CACHEMAXSIZE=64 /qn"));
  EXPECT_EQ(std::optional<DWORD>(4096), robot::GetDword(kCache, "BlockSize"));
  EXPECT_EQ(std::optional<DWORD>(65536), robot::GetDword(kCache, "MaxSize"));
  EXPECT_EQ(std::optional<DWORD>(600), robot::GetDword(kCache, "RefreshTimer")) << "not given: the page's default";

  robot::SetDword(kCache, "RefreshTimer", 3725);  // an administrator's later choice
  ASSERT_EQ(0u, Msiexec("/i " + Package(NewerPackageFolder()) + " CACHEMAXSIZE=100 /qn"));
  EXPECT_EQ((std::vector<std::string>{"4.6.0.371"}), InstalledVersions());
  EXPECT_EQ(std::optional<DWORD>(102400), robot::GetDword(kCache, "MaxSize")) << "given: over the stored one";
  EXPECT_EQ(std::optional<DWORD>(4096), robot::GetDword(kCache, "BlockSize"));
  EXPECT_EQ(std::optional<DWORD>(3725), robot::GetDword(kCache, "RefreshTimer"));
}

// The installed driver service follows an administrator's policy at once and lets it go when
// the policy is removed: no restart, no request, the stored value untouched throughout.
TEST_F(PackageDeployTest, APolicyValueWinsInTheInstalledServiceAndTheStoredOneReturnsWhenItGoes) {
  ASSERT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " CACHEMAXSIZE=64 /qn"));
  const auto maxSizeInEffect = [] {
    const std::vector<std::int32_t> status = DriverStatus();
    return status.size() > 7 ? status[7] : -1;  // word 7: the maximum size in effect
  };
  ASSERT_TRUE(robot::WaitUntil([&] { return maxSizeInEffect() == 65536; }, 10s)) << maxSizeInEffect();
  robot::SetDword(robot::keys::kCachePolicy, "MaxSize", 32768);
  EXPECT_TRUE(robot::WaitUntil([&] { return maxSizeInEffect() == 32768; }, 5s)) << maxSizeInEffect();

  robot::Process options = StartInstalledVelmora("/OPTIONS");
  HWND sheet = robot::WaitForTopWindow(options.Pid(), "#32770", "Velmora Options", 10s);
  ASSERT_NE(nullptr, sheet);
  robot::WaitUntil([] { return false; }, 300ms);
  HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  EXPECT_EQ("32", robot::Text(GetDlgItem(page, IDC_MAX_SIZE)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_MAX_SIZE)));
  robot::PressButton(sheet, IDCANCEL);
  DWORD code = 99;
  EXPECT_TRUE(options.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);

  robot::DeleteKeyTree("SOFTWARE\\Policies\\Nolvex");
  EXPECT_TRUE(robot::WaitUntil([&] { return maxSizeInEffect() == 65536; }, 5s)) << maxSizeInEffect();
  EXPECT_EQ(std::optional<DWORD>(65536), robot::GetDword(kCache, "MaxSize"));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState());
}

TEST_F(PackageDeployTest, AnInvalidPresetRefusesTheWholeInstallNamingThePropertyAndItsRange) {
  robot::SetDword(kCache, "BlockSize", 1024);  // stored before: must stay as it is
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
  const std::string log = MakeFolder("refused") + "\\install.log";
  const struct {
    const char* given;
    const char* line;
  } cases[] = {
      {"CACHEBLOCKSIZE=3", "CACHEBLOCKSIZE=\"3\" is refused: it takes 1, 2 or 4 (Kbytes)"},
      {"CACHEMAXSIZE=15", "CACHEMAXSIZE=\"15\" is refused: it takes a whole number from 16 to 19999 (Mbytes)"},
      {"CACHEREFRESHTIMER=10m", "CACHEREFRESHTIMER=\"10m\" is refused: it takes a whole number from 0 to 3599999"},
      {"CACHEMAXSIZE=64 CACHEREFRESHTIMER=3600000", "CACHEREFRESHTIMER=\"3600000\" is refused"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(1603u, Msiexec("/i " + Package(PackageFolder()) + " " + c.given + " /qn /l*v \"" + log + "\""));
    const std::string text = ReadLog(log);
    EXPECT_NE(std::string::npos, text.find(c.line)) << "the log does not name the refusal";
    EXPECT_TRUE(InstalledVersions().empty());
    EXPECT_FALSE(FileExists(kInstallDir));
    EXPECT_EQ(0u, ServiceState());
    EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
  }
}

TEST_F(PackageDeployTest, UpgradeRepairAndUninstallKeepTheChosenFolder) {
  const std::string dir = kToolsDir;
  const std::string log = MakeFolder("chosen folder") + "\\install.log";
  ASSERT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " INSTALLDIR=" + dir + "\\ /qn /l*v \"" + log + "\""));
  EXPECT_TRUE(FileExists(dir + "\\Velmora.exe"));
  // The folder got its own access list before the files came (this Wine keeps none to read back).
  EXPECT_NE(std::string::npos, ReadLog(log).find("Velmora: created the protected program folder " + dir + "."));
  // Programs and Features: the folder, the help file installed with the program, no Modify, the icon.
  const std::string entry = UninstallEntry();
  ASSERT_FALSE(entry.empty());
  EXPECT_EQ(std::optional<std::string>(dir + "\\"), robot::GetString(entry, "InstallLocation"));
  EXPECT_EQ(std::optional<std::string>(dir + "\\Velmora.chm"), robot::GetString(entry, "HelpLink"));
  EXPECT_TRUE(FileExists(dir + "\\Velmora.chm"));
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(entry, "NoModify"));
  const std::string icon = robot::GetString(entry, "DisplayIcon").value_or("");
  EXPECT_TRUE(FileExists(icon)) << "DisplayIcon: " << icon;
  EXPECT_EQ(std::optional<std::string>("Nolvex"), robot::GetString(entry, "Publisher"));

  ASSERT_EQ(0u, InstallQuietly(NewerPackageFolder()));
  EXPECT_EQ((std::vector<std::string>{"4.6.0.371"}), InstalledVersions());
  EXPECT_TRUE(FileExists(dir + "\\Velmora.exe"));
  EXPECT_TRUE(FileExists(dir + "\\vlifs95sim.exe"));
  EXPECT_EQ(std::optional<std::string>(dir + "\\"), robot::GetString(kProduct, "InstalledDirectory"));
  EXPECT_EQ(std::optional<std::string>("\"" + dir + "\\Velmora.exe\" /AUT"), robot::GetString(kRun, kLogOnEntry));
  EXPECT_FALSE(FileExists("C:\\Program Files\\Nolvex")) << "the upgrade went to Program Files";
  EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState());

  ASSERT_TRUE(DeleteFileA((dir + "\\Velmora.exe").c_str()));
  EXPECT_EQ(0u, Msiexec("/i " + Package(NewerPackageFolder()) + " REINSTALL=ALL REINSTALLMODE=amus /qn"));
  EXPECT_TRUE(FileExists(dir + "\\Velmora.exe")) << "the repair did not restore the chosen folder";
  EXPECT_FALSE(FileExists("C:\\Program Files\\Nolvex"));

  EXPECT_EQ(0u, Msiexec("/x " + Package(NewerPackageFolder()) + " /qn"));
  EXPECT_TRUE(InstalledVersions().empty());
  EXPECT_TRUE(FolderIsEmptyOrGone(dir)) << "files left in the chosen folder";
  EXPECT_FALSE(FileExists("C:\\Program Files\\Nolvex"));
}

TEST_F(PackageDeployTest, AReleaseDifferingOnlyInTheFourthFieldReplacesTheInstalledOne) {
  const std::string rebuild = PackageFolder() + "-rebuild";  // build-win/package-rebuild
  ASSERT_EQ(0u, InstallQuietly(PackageFolder()));
  EXPECT_EQ(0u, InstallQuietly(rebuild));
  EXPECT_EQ((std::vector<std::string>{"4.5.1.371"}), InstalledVersions()) << "one entry in Programs and Features";
  EXPECT_TRUE(FileExists(std::string(kInstallDir) + "\\Velmora.exe"));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState());
  // The installer cannot tell the two apart by version: either replaces the other.
  EXPECT_EQ(0u, InstallQuietly(PackageFolder()));
  EXPECT_EQ((std::vector<std::string>{"4.5.1.370"}), InstalledVersions());
  EXPECT_TRUE(FileExists(std::string(kInstallDir) + "\\Velmora.exe"));
}

TEST_F(PackageDeployTest, TheLogOnFeatureAloneBringsTheProgramItStarts) {
  ASSERT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " ADDLOCAL=LogOnFeature /qn"));
  EXPECT_EQ(std::optional<std::string>("\"" + std::string(kInstallDir) + "\\Velmora.exe\" /AUT"),
            robot::GetString(kRun, kLogOnEntry));
  EXPECT_TRUE(FileExists(std::string(kInstallDir) + "\\Velmora.exe")) << "a log-on entry for a missing program";
  EXPECT_FALSE(FileExists(std::string(kInstallDir) + "\\vlifs95sim.exe"));
  EXPECT_EQ(0u, ServiceState());
  // Removing the program takes what serves it along.
  EXPECT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " REMOVE=ProgramFeature /qn"));
  EXPECT_FALSE(FileExists(std::string(kInstallDir) + "\\Velmora.exe"));
  EXPECT_FALSE(robot::ValueExists(kRun, kLogOnEntry));
  EXPECT_TRUE(InstalledVersions().empty());
}

TEST_F(PackageDeployTest, UninstallWithPurgeRemovesEverythingStored) {
  ASSERT_EQ(0u, Msiexec("/i " + Package(PackageFolder()) + " CACHEBLOCKSIZE=1 /qn"));
  robot::SetDword(kGeneral, "ActivateState", 1);
  robot::SetString("SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents", "Default", "AGENT7");
  robot::SetString(kProduct, "SetupExeDir", "C:\\staging");
  ASSERT_TRUE(robot::KeyExists(kCache));
  EXPECT_EQ(0u, Msiexec("/x " + Package(PackageFolder()) + " PURGE=1 /qn"));
  EXPECT_TRUE(InstalledVersions().empty());
  EXPECT_FALSE(robot::KeyExists(kClientKey)) << robot::Snapshot(kClientKey);
  EXPECT_FALSE(robot::KeyExists("SOFTWARE\\NOLVEX")) << "the maker's key held nothing else";
}

TEST_F(PackageDeployTest, AnInstallThatFailsLateLeavesTheUpgradeOffersMarks) {
  // The upgrade offer of a client installed by hand, and a driver already serving the pipe:
  // the package's service cannot start, so the install fails after its files are copied.
  robot::SetDword(kGeneral, "ShouldUpgrade", 1);
  robot::SetString(kRun, "VelmoraUpgrade", std::string(kInstallDir) + "\\UPGRADE.EXE");
  CreateDirectoryA("C:\\Program Files\\Nolvex", nullptr);
  CreateDirectoryA(kInstallDir, nullptr);
  const std::string marker = std::string(kInstallDir) + "\\UPGRADE.DAT";
  std::ofstream(marker) << "4.5.1";
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());

  const DWORD code = InstallQuietly(PackageFolder());
  EXPECT_NE(0u, code) << "the install was expected to fail at the service's start";
  EXPECT_TRUE(InstalledVersions().empty());
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ShouldUpgrade"));
  EXPECT_TRUE(robot::ValueExists(kRun, "VelmoraUpgrade"));
  EXPECT_TRUE(FileExists(marker));
}

TEST_F(PackageDeployTest, TheOfferIsFulfilledInAFolderBeyondTheAnsiCodePage) {
  const std::wstring dir = L"C:\\Tools\\Velmora \u6587\u4ef6";
  CreateDirectoryW(L"C:\\Tools", nullptr);
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  const std::wstring marker = dir + L"\\UPGRADE.DAT";
  ASSERT_TRUE(framework::UniqueFile(
      CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
  robot::SetDword(kGeneral, "ShouldUpgrade", 1);
  const std::string package = PackageFolder() + "\\Velmora.msi";
  // No backslash before the closing quote: it would escape the quote.
  ASSERT_EQ(0u, MsiexecWide(L"/i \"" + std::wstring(package.begin(), package.end()) + L"\" INSTALLDIR=\"" + dir +
                            L"\" /qn"));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((dir + L"\\Velmora.exe").c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(marker.c_str())) << "the marker in that folder stayed";
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ShouldUpgrade"));
}

}  // namespace
}  // namespace package_e2e
