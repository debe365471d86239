#include "tests/package/package_fixture.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>

#include "framework/win32/handles.h"
#include "tests/e2e/palette_fixture.h"

namespace package_e2e {
namespace {

using framework::UniqueKernelHandle;

using UniqueService = framework::UniqueServiceHandle;

UniqueService OpenOurService(DWORD access) {
  UniqueService manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return UniqueService();
  return UniqueService(OpenServiceA(manager.get(), kService, access));
}

bool WaitForServiceState(DWORD wanted) {
  return robot::WaitUntil([&] { return ServiceState() == wanted; }, 20s);
}

std::string Parent(const std::string& dir) { return dir.substr(0, dir.find_last_of('\\')); }

}  // namespace

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string PackageFolder() { return Parent(robot::ProgramDir()) + "\\package"; }
std::string NewerPackageFolder() { return Parent(robot::ProgramDir()) + "\\package-newer"; }

DWORD Msiexec(const std::string& args) {
  char system[MAX_PATH];
  const UINT n = GetSystemDirectoryA(system, MAX_PATH);
  const std::string exe = std::string(system, n) + "\\msiexec.exe";
  robot::Process p = robot::Start(exe, args);
  DWORD code = 0xFFFFFFFF;
  EXPECT_TRUE(p.WaitForExit(120s, &code)) << "msiexec " << args;
  return code;
}

DWORD InstallQuietly(const std::string& packageFolder) {
  return Msiexec("/i \"" + packageFolder + "\\Velmora.msi\" /qn");
}

std::vector<std::string> InstalledVersions() {
  std::vector<std::string> versions;
  framework::UniqueKey uninstall;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, uninstall.put()) != ERROR_SUCCESS) return versions;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(uninstall.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::string key = std::string(kUninstallKey) + "\\" + name;
    if (robot::GetString(key, "DisplayName") == std::optional<std::string>("Velmora"))
      versions.push_back(robot::GetString(key, "DisplayVersion").value_or("?"));
  }
  return versions;
}

DWORD ServiceState() {
  UniqueService service = OpenOurService(SERVICE_QUERY_STATUS);
  SERVICE_STATUS status{};
  if (!service || !QueryServiceStatus(service.get(), &status)) return 0;
  return status.dwCurrentState;
}

bool StopService() {
  UniqueService service = OpenOurService(SERVICE_STOP | SERVICE_QUERY_STATUS);
  SERVICE_STATUS status{};
  if (!service) return false;
  ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
  return WaitForServiceState(SERVICE_STOPPED);
}

bool StopServiceWithNet() {
  char system[MAX_PATH];
  const UINT n = GetSystemDirectoryA(system, MAX_PATH);
  robot::Process net = robot::Start(std::string(system, n) + "\\net.exe", std::string("stop ") + kService);
  return net.WaitForExit(30s) && WaitForServiceState(SERVICE_STOPPED);
}

bool MakeServiceNotStartedSinceBoot() {
  UniqueService manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
  UniqueService old(OpenServiceA(manager.get(), kService, SERVICE_QUERY_CONFIG | DELETE));
  if (!old) return false;
  DWORD needed = 0;
  QueryServiceConfigA(old.get(), nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  const auto* config = reinterpret_cast<const QUERY_SERVICE_CONFIGA*>(buffer.data());
  if (needed == 0 || !QueryServiceConfigA(old.get(), reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data()), needed,
                                          &needed)) {
    return false;
  }
  const std::string path = config->lpBinaryPathName;
  const std::string shown = config->lpDisplayName ? config->lpDisplayName : kService;
  const DWORD type = config->dwServiceType;
  const DWORD start = config->dwStartType;
  const DWORD errors = config->dwErrorControl;
  if (!DeleteService(old.get())) return false;
  old.reset();
  UniqueService made(CreateServiceA(manager.get(), kService, shown.c_str(), SERVICE_QUERY_STATUS, type, start, errors,
                                    path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
  SERVICE_STATUS status{};
  return made && QueryServiceStatus(made.get(), &status) && status.dwCurrentState == SERVICE_STOPPED &&
         status.dwWin32ExitCode == ERROR_SERVICE_NEVER_STARTED;
}

bool StartService() {
  UniqueService service = OpenOurService(SERVICE_START | SERVICE_QUERY_STATUS);
  if (!service || !::StartServiceA(service.get(), 0, nullptr)) return false;
  // Running means the pipe listens: the service reports it only then.
  return WaitForServiceState(SERVICE_RUNNING);
}

bool SetServiceStart(DWORD startType) {
  UniqueService service = OpenOurService(SERVICE_CHANGE_CONFIG);
  return service && ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

std::int32_t SendDriverRequest(std::int32_t code) {
  std::vector<std::uint8_t> buffer(6132, 0);
  std::memcpy(buffer.data(), &code, 4);
  std::vector<std::uint8_t> answer(6132, 0);
  DWORD got = 0;
  if (!CallNamedPipeA("\\\\.\\pipe\\VLIFS95", buffer.data(), 6132, answer.data(), 6132, &got, 5000) || got < 4)
    return -1;
  std::int32_t result = 0;
  std::memcpy(&result, answer.data(), 4);
  return result;
}

std::vector<std::int32_t> DriverStatus() {
  std::vector<std::uint8_t> request(6132, 0);
  request[0] = 1;
  std::vector<std::uint8_t> answer(6132, 0);
  DWORD got = 0;
  if (!CallNamedPipeA("\\\\.\\pipe\\VLIFS95", request.data(), 6132, answer.data(), 6132, &got, 5000) || got < 80 * 4)
    return {};
  std::vector<std::int32_t> words(79);
  std::memcpy(words.data(), answer.data() + 4, words.size() * 4);
  return words;
}

std::string ShortcutPath() {
  for (int folder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    char path[MAX_PATH];
    if (SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) continue;
    const std::string lnk = std::string(path) + "\\Velmora.lnk";
    if (FileExists(lnk)) return lnk;
  }
  return "";
}

std::string ShortcutTarget(const std::string& shortcut) {
  std::string target;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring wide(shortcut.begin(), shortcut.end());
      char path[MAX_PATH] = "";
      if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

robot::Process StartInstalledVelmora(const std::string& args) {
  const std::string target = ShortcutTarget(ShortcutPath());
  EXPECT_FALSE(target.empty()) << "no shortcut to start the program from";
  robot::Process p = robot::Start(target.empty() ? std::string(kInstallDir) + "\\Velmora.exe" : target, args,
                                  kInstallDir);
  EXPECT_TRUE(p.Running());
  return p;
}

robot::MessageBoxSeen NextBox(const robot::Process& p) {
  robot::MessageBoxSeen box;
  EXPECT_TRUE(robot::WaitForMessageBox(p.Pid(), &box, 15s)) << "no message box came";
  return box;
}

bool FindBoxOfAnyProcess(const std::string& text, robot::MessageBoxSeen* box) {
  struct Search {
    const std::string& text;
    robot::MessageBoxSeen* box;
    bool found;
  } search{text, box, false};
  EnumWindows(
      [](HWND wnd, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        const std::vector<robot::MessageBoxSeen> boxes = robot::MessageBoxes(pid);
        const auto it = std::find_if(boxes.begin(), boxes.end(), [&](const robot::MessageBoxSeen& b) {
          return b.wnd == wnd && b.text.find(s.text) != std::string::npos;
        });
        if (it == boxes.end()) return TRUE;
        *s.box = *it;
        s.found = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForPaletteAlone(const robot::Process& p) {
  HWND palette = palette_e2e::WaitForPalette(p);
  for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid()))
    ADD_FAILURE() << "box before the palette: " << b.caption << ": " << b.text;
  return palette;
}

void ClosePalette(robot::Process& p, HWND palette) {
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
}

void CloseStartedPalette(HWND palette) {
  DWORD pid = 0;
  GetWindowThreadProcessId(palette, &pid);
  UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(process) << "no palette process";
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(process.get(), 10000)) << "the palette did not end";
}

std::string MakeFolder(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void UpgradeThroughSetupWhileRunning(const std::string& staging, robot::Process& palette) {
  robot::Process setup = robot::Start(staging + "\\SETUP.EXE", "/qn", staging);
  DWORD code = 1;
  ASSERT_TRUE(setup.WaitForExit(120s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(palette.WaitForExit(5s)) << "the running palette was asked to end first";
  EXPECT_EQ((std::vector<std::string>{"4.6.0.371"}), InstalledVersions());
}

}  // namespace package_e2e
