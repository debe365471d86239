// SETUP.EXE: installs or upgrades Velmora from the package beside it with the system
// installer, showing the installer's basic progress, and ends with the installer's result.
#include <windows.h>
#include <msi.h>

#include <string>

#include "framework/win32/handles.h"
#include "installer/setup/setup_plan.h"

namespace {

using framework::UniqueKernelHandle;
using namespace velmora::setup;

constexpr char kCaption[] = "Velmora Setup";
// The palette's own quit request (see palette/palette_choices.h).
constexpr UINT kPaletteQuit = 0x069A;
constexpr WPARAM kPaletteQuitW = 0x123;
constexpr LPARAM kPaletteQuitL = 0x543;

std::string OwnPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

// A running palette holds Velmora.exe open: ask it to end, as the program's own quit request
// does, so the installer replaces the file instead of scheduling it for a restart.
void ClosePalettes() {
  while (HWND palette = FindWindowA("VelmoraMainPalette", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(palette, &pid);
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    PostMessageA(palette, kPaletteQuit, kPaletteQuitW, kPaletteQuitL);
    if (!process || WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) return;
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

  ClosePalettes();
  char system[MAX_PATH];
  const UINT n = GetSystemDirectoryA(system, MAX_PATH);
  const std::string msiexec = std::string(system, n) + "\\msiexec.exe";
  std::string commandLine = InstallerCommandLine(msiexec, package, ArgumentsOf(GetCommandLineA()));
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
  return static_cast<int>(result);
}
