// The start-up course: which steps a run takes, in which order, and how it ends. The steps
// themselves (windows, the driver, OLE) belong to the application object.
#pragma once

namespace velmora {

struct Switches;

class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  // True when no palette runs yet; otherwise the running one was brought forward.
  virtual bool IsFirstInstance() = 0;
  // The installation directory: needed by every later step.
  virtual void LoadInstallDir() = 0;
  virtual Switches ReadSwitches() = 0;
  // True when the upgrade installer was started or tried: the run ends.
  virtual bool UpgradeEndsRun(bool forcePrompt) = 0;
  // A command-line activation that finds no driver yet waits while its service may still
  // bring it, with the start-up picture meanwhile when `showSplash`.
  virtual void WaitForStartingDriver(bool showSplash) = 0;
  // Reports a missing, unhealthy or foreign driver; never ends the run.
  virtual void CheckDriver() = 0;
  // False when OLE could not be started; the failure was reported.
  virtual bool InitializeOle() = 0;
  virtual void ShowSplash() = 0;
  virtual void DismissSplash() = 0;
  // The command-line change: 0 when the cache is now as asked.
  virtual int SetActivation(int requested) = 0;
  // Start-up is over for the driver; the palette's class is registered and the palette runs
  // until the user closes it.
  virtual void RunPalette() = 0;
};

// The run's exit code when a command-line change failed, or was handed over to another start
// and so not made.
constexpr int kExitChangeFailed = 1;
constexpr int kExitHandedOver = 2;

// Runs the course; the run's exit code: kExitChangeFailed, kExitHandedOver, else 0.
int RunStartupCourse(StartupSteps& steps);

}  // namespace velmora
