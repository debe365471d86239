// SETUP.EXE: installs or upgrades Velmora from the package beside it with the system
// installer, showing the installer's basic progress, and ends with the installer's result. It
// keeps the installer's verbose log in the user's temporary folder, and starts the palette it
// closed for the install again whatever the result, never with more rights than the user's.
#include <windows.h>
#include <msi.h>

#include <cstring>
#include <string>

#include "common/palette_contract.h"
#include "common/registry_names.h"
#include "framework/win32/handles.h"
#include "installer/setup/setup_plan.h"
#include "installer/setup/win32/desktop_shell_start.h"

namespace {

using framework::UniqueKernelHandle;
using namespace velmora::setup;

constexpr char kCaption[] = "Velmora Setup";

std::string OwnPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

// A running palette holds Velmora.exe open: ask it to end, as the program's own quit request
// does, so the installer replaces the file instead of scheduling it for a restart. Returns how
// many ended. A palette the request does not reach, or that has not ended after 10 s (a box of
// its own is open, say), is left running and ends the closing: the installer's own handling
// of files in use takes over, and that palette is not counted, so nobody starts a second one.
// `program` receives the first closed palette's program, which a failed install leaves as it was.
int ClosePalettes(std::string* program) {
  int closed = 0;
  while (HWND palette = FindWindowA(velmora::kPaletteClassName, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(palette, &pid);
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process || !PostMessageA(palette, velmora::kQuitMessage, velmora::kQuitWParam, velmora::kQuitLParam)) return closed;
    char image[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (program->empty() && QueryFullProcessImageNameA(process.get(), 0, image, &size)) program->assign(image, size);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) return closed;
    ++closed;
  }
  return closed;
}

// An elevated token: an administrator's full one, or another account's after an over-the-shoulder
// elevation. Unknown counts as elevated, so the palette never gets rights by mistake.
bool RunsElevated() {
  UniqueKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return true;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return true;
  return elevation.TokenIsElevated != 0;
}

std::string TempFolder() {
  char temp[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof temp, temp);
  return n == 0 || n > MAX_PATH ? std::string() : std::string(temp, n);
}

// The installed program, where the installer says it put it.
std::string InstalledVelmora() {
  framework::UniqueKey product;
  std::string key = velmora::kProductKeyWithSlash;
  key.pop_back();
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, product.put()) !=
      ERROR_SUCCESS)
    return "";
  char dir[MAX_PATH] = "";
  DWORD size = sizeof dir - 1;
  DWORD type = 0;
  if (RegQueryValueExA(product.get(), velmora::kInstalledDirectoryValue, nullptr, &type, reinterpret_cast<BYTE*>(dir),
                       &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return "";
  return InstalledProgram(std::string(dir, strnlen(dir, size)));
}

// Starts the palette in its folder, as planned, and does not wait for it. Through the shell, an
// unanswered request starts nothing: never the palette with SETUP.EXE's own rights.
void StartPalette(const PaletteRestart& restart) {
  if (restart.how == PaletteStart::kNone) return;
  const std::string& program = restart.program;
  const std::string folder = program.substr(0, program.find_last_of('\\'));
  if (restart.how == PaletteStart::kThroughDesktopShell) {
    const auto wide = [](const std::string& text) {
      std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)), L'\0');
      if (!out.empty()) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()));
      if (!out.empty()) out.pop_back();  // the terminator
      return out;
    };
    StartThroughDesktopShell(wide(program), wide(folder));
    return;
  }
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  }
}

int Fail(PackageProblem problem, const std::string& package) {
  MessageBoxA(nullptr, ProblemMessage(problem, package).c_str(), kCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
  return ProblemExitCode(problem);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string package = PackageBeside(OwnPath());
  if (GetFileAttributesA(package.c_str()) == INVALID_FILE_ATTRIBUTES) return Fail(PackageProblem::Missing, package);
  if (MsiVerifyPackageA(package.c_str()) != ERROR_SUCCESS) return Fail(PackageProblem::Damaged, package);

  std::string closedProgram;
  const int closed = ClosePalettes(&closedProgram);
  char system[MAX_PATH];
  const UINT n = GetSystemDirectoryA(system, MAX_PATH);
  const std::string msiexec = std::string(system, n) + "\\msiexec.exe";
  const std::string options = ArgumentsOf(GetCommandLineA());
  const std::string log = HasOwnLog(options) ? std::string() : LogPathIn(TempFolder());
  std::string commandLine = InstallerCommandLine(msiexec, package, options, log);
  // This run's log only: a message never names an earlier run's.
  if (!log.empty()) DeleteFileA(log.c_str());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(msiexec.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    const DWORD error = GetLastError();
    MessageBoxA(nullptr, ("Velmora Setup cannot start the system installer\n" + msiexec).c_str(), kCaption,
                MB_OK | MB_ICONSTOP);
    return static_cast<int>(error);
  }
  UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD result = 1;
  GetExitCodeProcess(process.get(), &result);
  StartPalette(PlanPaletteRestart(closed, result, RunsElevated(), InstalledVelmora(), closedProgram));
  const bool logged = !log.empty() && GetFileAttributesA(log.c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::string failure = InstallerFailureMessage(result, options, logged ? log : std::string());
  if (!failure.empty()) MessageBoxA(nullptr, failure.c_str(), kCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
  return static_cast<int>(result);
}
