// Shared set-up of the package courses. Each course runs in a Wine prefix of its own (see
// tools/package-test.sh), so it may install, upgrade, stop services and remove what it likes:
// nothing outside its prefix is touched.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace package_e2e {

using namespace std::chrono_literals;

using namespace robot::keys;
using robot::FileExists;
constexpr char kLogOnEntry[] = "VelmoraActivate";
constexpr char kService[] = "vlifs95sim";
constexpr char kInstallDir[] = "C:\\Program Files\\Nolvex\\Velmora";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// True when the courses run under Wine, where some of what a package asks of the system is
// accepted and not kept (see PLATFORM-NOTES): a course expects that system's one outcome.
bool UnderWine();

// The folders of the built packages: the program's version, and a newer one.
std::string PackageFolder();
std::string NewerPackageFolder();

// Runs the system installer with these arguments and returns its exit code (the full 32 bits,
// which a shell's exit status would cut to 8).
DWORD Msiexec(const std::string& args);
DWORD InstallQuietly(const std::string& packageFolder);
// The DisplayVersion of every installed Velmora product.
std::vector<std::string> InstalledVersions();

// The service's state (SERVICE_RUNNING ...), 0 when it does not exist.
DWORD ServiceState();
bool StopService();
// Stops the service as an administrator does at a command prompt ("net stop"): a clean stop.
bool StopServiceWithNet();
bool StartService();
// Brings the installed service to the state it has before its first start since boot (exit
// code 1077), which otherwise only a new boot gives: made anew with the same configuration.
bool MakeServiceNotStartedSinceBoot();
// SERVICE_AUTO_START, SERVICE_DISABLED ...
bool SetServiceStart(DWORD startType);

// The driver's status record as the service answers request 1 (words 0-78), empty when no
// driver answers. Word 4 is the state; words 5-11 its report (see tools/vlifs95sim/README.md).
std::vector<std::int32_t> DriverStatus();
std::int32_t SendDriverRequest(std::int32_t code);

// The Start-menu shortcut "Velmora" (the common menu, or the user's, where Wine puts it) and
// the program it starts; empty when there is none.
std::string ShortcutPath();
std::string ShortcutTarget(const std::string& shortcut);

// Starts the installed program the way a user does: the shortcut's target.
robot::Process StartInstalledVelmora(const std::string& args = "");
// Waits until the process shows a message box and returns it; fails the test otherwise.
robot::MessageBoxSeen NextBox(const robot::Process& p);
// A message box of any process (the system installer's, say) whose text contains `text`.
bool FindBoxOfAnyProcess(const std::string& text, robot::MessageBoxSeen* box);
// Waits for the palette; checks no box of the program came first.
HWND WaitForPaletteAlone(const robot::Process& p);
void ClosePalette(robot::Process& p, HWND palette);
// Closes a palette this test did not start (SETUP.EXE's, say) and waits until its process ended.
void CloseStartedPalette(HWND palette);

// Runs the staged newer package's SETUP.EXE silently while `palette` runs: SETUP.EXE succeeds,
// the running palette was asked to end first, and the newer version is the one installed.
void UpgradeThroughSetupWhileRunning(const std::string& staging, robot::Process& palette);

// A folder of its own for a course (staging folders and the like).
std::string MakeFolder(const std::string& name);

}  // namespace package_e2e
