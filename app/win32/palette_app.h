// The application object: takes the start-up course (app/startup_course.h), owns the
// services and hands each window the ones it uses.
#pragma once
#include <windows.h>

#include <string>

#include "common/prompts.h"
#include "app/win32/registry_settings_store.h"
#include "app/win32/start_lock.h"
#include "app/switches.h"
#include "driver/driver_channel.h"
#include "framework/win32/win_app.h"
#include "options/options_services.h"
#include "palette/palette_services.h"
#include "palette/win32/startup_splash.h"
#include "app/win32/win32_system.h"

namespace velmora {

class CPaletteApp : public framework::CWinApp, public Prompts {
 public:
  CPaletteApp();
  ~CPaletteApp() override;

  BOOL InitInstance() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  int ExitInstance() override;

  // Error boxes: caption "Velmora Error :  N", text from the string table.
  int ShowError(int code, unsigned flags, OwnerWindow owner = nullptr) override;
  int ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner = nullptr) override;
  int ShowMessage(unsigned stringId, unsigned flags) override;

  // Starts dir\file; the shell's result, 32 or less meaning failure.
  std::intptr_t RunProgram(const std::string& dir, const std::string& file);
  // Planned restart that lets other programs save; 1 on success, 0 on failure.
  int RestartWindows();

  // 1 when the driver reports the client's version (4.5.1 build 370); else 0.
  int CheckDriverVersion(DriverStatus* status);
  // Shows the error that belongs to the driver's current state, if any.
  void ReportDriverStatus();
  // Turns the cache on (1) or off (0): 0 when it is in that state now, -1 when the driver is
  // unusable or of another version, else the driver's refusal. Shows its own error boxes.
  int SetActivation(int requested);

  // 1 when no palette runs yet; otherwise brings the running one forward and returns 0.
  // A start at the same moment as another waits here until the other's palette exists; when
  // the other shows a box or dialog meanwhile, that comes forward instead and this returns 0.
  int IsFirstInstance();
  // This start's palette exists (or it will have none): the next start may look for it.
  void ReleaseStartLock();
  static int RegisterPaletteClass();
  void LoadInstallDir();
  void ParseSwitches();
  // 1 when the upgrade installer was started or tried: the run ends.
  int CheckForUpgrade();
  // False when OLE could not be started (reported in a box).
  bool InitializeOle();

  // What the palette and the options sheet use, drawn from this object.
  PaletteServices MakePaletteServices();
  OptionsServices MakeOptionsServices();
  // The start-up picture of this run.
  CStartupPicture& Splash() { return m_splash; }

  std::string m_strInstallDir;
  CDriverChannel m_driver;
  CSettingsStore m_settings;
  CWin32System m_system;
  int m_bCommandLineAction = 0;
  int m_nRequestedState = 1;
  int m_bShowSplash = 0;
  int m_bForceUpgradePrompt = 0;

 private:
  CStartLock m_startLock;
  bool m_bOleInitialized = false;
  CStartupPicture m_splash;
};

}  // namespace velmora
