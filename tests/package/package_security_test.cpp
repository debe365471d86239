// What the package grants and asks of the system beyond its files: settings no user but an
// administrator may change, the service's recovery actions, and SETUP.EXE's closing and
// restarting of a running palette around an upgrade. Wine enforces no access control, so the
// keys' rights are proved by reading their DACLs back (within the wine server's life: key
// descriptors live there).
#include <aclapi.h>
#include <msi.h>
#include <msiquery.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>

#include "common/palette_contract.h"
#include "framework/win32/handles.h"
#include "tests/package/package_fixture.h"

namespace package_e2e {
namespace {

// Rights that change a key or its values.
constexpr DWORD kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC |
                               WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

bool IsAdministration(const std::string& sid) {
  return sid == "S-1-5-18" /* LocalSystem */ || sid == "S-1-5-32-544" /* Administrators */ ||
         sid == "S-1-3-0" /* the creator (the installer, an administrator) */;
}

struct Entry {
  std::string sid;
  BYTE type;
  BYTE flags;
  DWORD mask;
};

// The key's DACL, one entry per ACE; fails the test when it has none (a NULL DACL grants all).
std::vector<Entry> DaclOf(const std::string& key) {
  std::vector<Entry> entries;
  framework::UniqueKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, READ_CONTROL | KEY_WOW64_64KEY, opened.put()) != ERROR_SUCCESS) {
    ADD_FAILURE() << key << " cannot be opened";
    return entries;
  }
  DWORD size = 0;
  RegGetKeySecurity(opened.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
  std::vector<BYTE> descriptor(size);
  if (RegGetKeySecurity(opened.get(), DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS) {
    ADD_FAILURE() << key << ": no security descriptor";
    return entries;
  }
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted);
  if (!present || !dacl) {
    ADD_FAILURE() << key << ": no DACL, everyone may do anything";
    return entries;
  }
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);  // same layout for a denied ACE
    char* text = nullptr;
    std::string sid = "?";
    if (ConvertSidToStringSidA(const_cast<DWORD*>(&allowed->SidStart), &text)) {
      sid = text;
      LocalFree(text);
    }
    entries.push_back({sid, allowed->Header.AceType, allowed->Header.AceFlags, allowed->Mask});
  }
  return entries;
}

std::string Describe(const std::vector<Entry>& entries) {
  std::string text;
  for (const Entry& e : entries)
    text += e.sid + " type " + std::to_string(e.type) + " flags " + std::to_string(e.flags) + " mask " +
            std::to_string(e.mask) + "\n";
  return text;
}

// The key and every key below it, depth first.
std::vector<std::string> KeyTree(const std::string& key) {
  std::vector<std::string> tree{key};
  framework::UniqueKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY, opened.put()) !=
      ERROR_SUCCESS)
    return tree;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(opened.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    for (const std::string& below : KeyTree(key + "\\" + name)) tree.push_back(below);
  }
  return tree;
}

// No entry of any key of the client's, nor of the product key, lets anyone but the
// administration set or delete a value (or otherwise change the key): what one user's session
// acts on, no other user may change.
void ExpectOnlyAdministratorsMayChangeTheSettings() {
  std::vector<std::string> keys = KeyTree("SOFTWARE\\NOLVEX\\VELMORA");
  keys.push_back(kProduct);
  EXPECT_GE(keys.size(), 4u) << "General and Cache are expected below the client's key";
  for (const std::string& key : keys) {
    const std::vector<Entry> entries = DaclOf(key);
    EXPECT_FALSE(entries.empty()) << key;
    for (const Entry& e : entries) {
      if (e.type != ACCESS_ALLOWED_ACE_TYPE || IsAdministration(e.sid)) continue;
      EXPECT_EQ(0u, e.mask & kWriteRights) << key << ": " << e.sid << " may change it\n" << Describe(entries);
    }
  }
}

// The installer's log (UTF-16, as Wine and Windows write it), as ASCII.
std::string ReadLog(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  for (std::istreambuf_iterator<char> it(in), end; it != end; ++it)
    if (*it != '\0') text += *it;
  return text;
}

std::string ProcessImage(DWORD pid) {
  framework::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  char path[MAX_PATH] = "";
  DWORD size = MAX_PATH;
  if (!process || !QueryFullProcessImageNameA(process.get(), 0, path, &size)) return "";
  return std::string(path, size);
}

std::vector<DWORD> VelmoraProcesses() {
  std::vector<DWORD> pids;
  framework::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
    if (lstrcmpiA(entry.szExeFile, "Velmora.exe") == 0) pids.push_back(entry.th32ProcessID);
  return pids;
}

// The file version a package's File table gives the program.
std::string PackagedVersion(const std::string& package) {
  MSIHANDLE database = 0, view = 0, record = 0;
  std::string version;
  if (MsiOpenDatabaseA(package.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS) return version;
  if (MsiDatabaseOpenViewA(database, "SELECT `Version` FROM `File` WHERE `File` = 'VelmoraExe'", &view) ==
          ERROR_SUCCESS &&
      MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
    char text[64] = "";
    DWORD size = sizeof text;
    if (MsiRecordGetStringA(record, 1, text, &size) == ERROR_SUCCESS) version = text;
    MsiCloseHandle(record);
  }
  if (view) MsiCloseHandle(view);
  MsiCloseHandle(database);
  return version;
}

std::string FileVersion(const std::string& file) {
  char version[64] = "";
  DWORD size = sizeof version;
  char language[64] = "";
  DWORD languageSize = sizeof language;
  if (MsiGetFileVersionA(file.c_str(), version, &size, language, &languageSize) != ERROR_SUCCESS) return "";
  return version;
}

TEST(PackageSecurityTest, InstallRepairAndUpgradeLetNoUserChangeTheSettingsAndGiveTheServiceItsRecoveryActions) {
  const std::string log = MakeFolder("security") + "\\install.log";
  ASSERT_EQ(0u, Msiexec("/i \"" + PackageFolder() + "\\Velmora.msi\" /qn /l*v \"" + log + "\""));
  // General and Cache are written later (the program, the service, the options sheet, a preset);
  // made here with the installer's rights, they show what they inherit.
  robot::SetDword(kGeneral, "ActivateState", 1);
  robot::SetDword(kCache, "BlockSize", 2048);
  ExpectOnlyAdministratorsMayChangeTheSettings();

  const std::string text = ReadLog(log);
  EXPECT_EQ(std::string::npos, text.find("GrantUsersGeneralKey")) << "the package still grants users a key";
  EXPECT_NE(std::string::npos, text.find("Velmora: created the protected program folder " + std::string(kInstallDir) + "."));
  // The system accepts the actions: one line says so, none says it refused. Windows keeps them
  // where the service's configuration is read; this Wine keeps none (the query fails with 124),
  // so there the action's call is what its port's native test proves, and this line.
  const std::string set = "Velmora: set the recovery actions of the service vlifs95sim";
  EXPECT_NE(std::string::npos, text.find(set)) << "no line about the recovery actions in the verbose log";
  EXPECT_EQ(text.find(set), text.rfind(set)) << "more than one";
  EXPECT_EQ(std::string::npos, text.find("Velmora: the system refused the recovery actions"));
  framework::UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  framework::UniqueServiceHandle service(OpenServiceA(manager.get(), kService, SERVICE_QUERY_CONFIG));
  ASSERT_TRUE(service);
  std::vector<BYTE> buffer(8192);
  DWORD needed = 0;
  const bool read = QueryServiceConfig2A(service.get(), SERVICE_CONFIG_FAILURE_ACTIONS, buffer.data(),
                                         static_cast<DWORD>(buffer.size()), &needed) != FALSE;
  if (UnderWine()) {
    EXPECT_FALSE(read);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_LEVEL), GetLastError());
  } else {
    ASSERT_TRUE(read) << GetLastError();
    const auto* failure = reinterpret_cast<const SERVICE_FAILURE_ACTIONSA*>(buffer.data());
    EXPECT_EQ(86400u, failure->dwResetPeriod);
    ASSERT_EQ(3u, failure->cActions);
    for (int i : {0, 1}) {
      EXPECT_EQ(SC_ACTION_RESTART, failure->lpsaActions[i].Type);
      EXPECT_EQ(5000u, failure->lpsaActions[i].Delay);
    }
    EXPECT_EQ(SC_ACTION_NONE, failure->lpsaActions[2].Type);
  }

  ASSERT_EQ(0u, Msiexec("/i \"" + PackageFolder() + "\\Velmora.msi\" REINSTALL=ALL REINSTALLMODE=amus /qn"));
  ExpectOnlyAdministratorsMayChangeTheSettings();
  // The installed programs are versioned files with the File table's version.
  for (const char* file : {"Velmora.exe", "vlifs95sim.exe"})
    EXPECT_EQ(PackagedVersion(PackageFolder() + "\\Velmora.msi"), FileVersion(std::string(kInstallDir) + "\\" + file))
        << file;
  ASSERT_EQ(0u, InstallQuietly(NewerPackageFolder()));
  ExpectOnlyAdministratorsMayChangeTheSettings();
}

TEST(PackageSecurityTest, UpgradeThroughSetupWithAPaletteRunningLeavesOnePaletteOfTheNewVersion) {
  ASSERT_EQ(0u, InstallQuietly(PackageFolder()));
  robot::Process old = StartInstalledVelmora();
  ASSERT_NE(nullptr, WaitForPaletteAlone(old));
  const std::string staging = MakeFolder("setup while running");
  for (const char* file : {"SETUP.EXE", "Velmora.msi"})
    ASSERT_TRUE(CopyFileA((NewerPackageFolder() + "\\" + file).c_str(), (staging + "\\" + file).c_str(), FALSE));
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string setupLog = std::string(temp) + "Velmora Setup.log";
  std::ofstream(setupLog) << "an earlier run's log";

  ASSERT_NO_FATAL_FAILURE(UpgradeThroughSetupWhileRunning(staging, old));

  // One palette, started again by SETUP.EXE from the installed, new program.
  HWND palette = nullptr;
  ASSERT_TRUE(robot::WaitUntil([&] { return (palette = FindWindowA(velmora::kPaletteClassName, nullptr)) != nullptr; }, 20s))
      << "no palette after the upgrade";
  DWORD pid = 0;
  GetWindowThreadProcessId(palette, &pid);
  EXPECT_NE(old.Pid(), pid);
  EXPECT_EQ(std::vector<DWORD>{pid}, VelmoraProcesses());
  const std::string exe = std::string(kInstallDir) + "\\Velmora.exe";
  EXPECT_EQ(0, lstrcmpiA(exe.c_str(), ProcessImage(pid).c_str())) << ProcessImage(pid);
  // The newer package ships the same built program: its file is the one that package lists.
  EXPECT_EQ(PackagedVersion(staging + "\\Velmora.msi"), FileVersion(exe));

  // The installer's verbose log of this run replaced the earlier one.
  const std::string log = ReadLog(setupLog);
  EXPECT_EQ(std::string::npos, log.find("an earlier run's log"));
  EXPECT_NE(std::string::npos, log.find("4.6.0.371")) << "not this run's log";

  CloseStartedPalette(palette);
}

// A refused install (a preset out of range: 1603) changes nothing, yet SETUP.EXE closed the
// palette for it: the user gets it back, the program it closed, once.
TEST(PackageSecurityTest, ARefusedInstallThroughSetupLeavesOnePaletteRunning) {
  ASSERT_EQ(0u, InstallQuietly(PackageFolder()));
  robot::Process old = StartInstalledVelmora();
  ASSERT_NE(nullptr, WaitForPaletteAlone(old));
  const std::string staging = MakeFolder("setup refused");
  for (const char* file : {"SETUP.EXE", "Velmora.msi"})
    ASSERT_TRUE(CopyFileA((NewerPackageFolder() + "\\" + file).c_str(), (staging + "\\" + file).c_str(), FALSE));

  robot::Process setup = robot::Start(staging + "\\SETUP.EXE", "CACHEMAXSIZE=15 /qn", staging);
  DWORD code = 0;
  ASSERT_TRUE(setup.WaitForExit(120s, &code));
  EXPECT_EQ(1603u, code);
  EXPECT_TRUE(old.WaitForExit(5s)) << "the running palette was not asked to end";
  EXPECT_EQ((std::vector<std::string>{"4.5.1.370"}), InstalledVersions());

  HWND palette = nullptr;
  ASSERT_TRUE(robot::WaitUntil([&] { return (palette = FindWindowA(velmora::kPaletteClassName, nullptr)) != nullptr; }, 20s))
      << "the refused install left the user without the palette";
  DWORD pid = 0;
  GetWindowThreadProcessId(palette, &pid);
  EXPECT_EQ(std::vector<DWORD>{pid}, VelmoraProcesses());
  EXPECT_EQ(0, lstrcmpiA((std::string(kInstallDir) + "\\Velmora.exe").c_str(), ProcessImage(pid).c_str()))
      << ProcessImage(pid);
  CloseStartedPalette(palette);
}

}  // namespace
}  // namespace package_e2e
