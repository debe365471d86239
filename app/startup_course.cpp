#include "app/startup_course.h"

#include "app/switches.h"

namespace velmora {

int RunStartupCourse(StartupSteps& steps) {
  // Handed over to a running palette or another start's box: a command-line change did not
  // happen, and whoever asked for it can tell.
  if (!steps.IsFirstInstance()) return steps.ReadSwitches().commandLineAction ? kExitHandedOver : 0;
  steps.LoadInstallDir();
  const Switches switches = steps.ReadSwitches();
  // A started (or tried) installer ends the run before the driver check.
  if (steps.UpgradeEndsRun(switches.forceUpgradePrompt)) return 0;
  // At log-on "/AUT" may come before the driver's service listens. Deactivating does not wait:
  // a driver that is not there yet holds no cache to turn off.
  if (switches.commandLineAction && switches.requestedState == 1) steps.WaitForStartingDriver(switches.showSplash);
  // A missing, unhealthy or foreign driver is reported; start-up goes on regardless.
  steps.CheckDriver();
  if (!steps.InitializeOle()) return 0;
  if (switches.showSplash) {
    steps.ShowSplash();
    steps.DismissSplash();
  }
  if (switches.commandLineAction) {
    // Whoever started us (a log-on script) can tell a failed change from a good one.
    return steps.SetActivation(switches.requestedState) != 0 ? kExitChangeFailed : 0;
  }
  steps.RunPalette();
  return 0;
}

}  // namespace velmora
