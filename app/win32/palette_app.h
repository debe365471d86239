// The application object: takes the start-up course (app/startup_course.h) over its own steps,
// owns the services and hands each window the ones it uses.
#pragma once
#include <windows.h>

#include <string>

#include "app/startup_course.h"
#include "app/switches.h"
#include "app/win32/registry_settings_store.h"
#include "app/win32/start_lock.h"
#include "app/win32/win32_system.h"
#include "common/prompts.h"
#include "driver/driver_channel.h"
#include "driver/win32/win32_driver_transport.h"
#include "framework/win32/class_registration.h"
#include "framework/win32/win_app.h"
#include "options/options_services.h"
#include "palette/palette_services.h"
#include "palette/win32/startup_splash.h"

namespace velmora {

class CMainPalette;

class CPaletteApp : public framework::CWinApp, public Prompts, public StartupSteps {
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

  // Takes the start-up course (app/startup_course.h) over this object's own steps, with this
  // run's palette and start-up action; returns the run's exit code. `course` stands in for the
  // steps where a caller wraps them (the benchmark times each one); by default this object.
  int RunCourse(CMainPalette& palette, DriverAction& startup, StartupSteps* course = nullptr);

  // The start-up steps, in the order the course takes them.
  // True when no palette runs yet; otherwise brings the running one forward and returns false.
  // A start at the same moment as another waits here until the other's palette exists; when
  // the other shows a box or dialog meanwhile, that comes forward instead and this returns false.
  bool IsFirstInstance() override;
  void LoadInstallDir() override;
  Switches ReadSwitches() override;
  bool UpgradeEndsRun(bool forcePrompt) override;
  // Waits while the driver's service is still starting, with the start-up picture when asked.
  void WaitForStartingDriver(bool showSplash) override;
  // Reports a missing, unhealthy or foreign driver.
  void CheckDriver() override;
  // False when OLE could not be started (reported in a box).
  bool InitializeOle() override;
  void ShowSplash() override;
  void DismissSplash() override;
  // Turns the cache on (1) or off (0): 0 when it is in that state now, -1 when the driver is
  // unusable or of another version, else the driver's refusal. Shows its own error boxes.
  int SetActivation(int requested) override;
  void RunPalette() override;

  // This start's palette exists (or it will have none): the next start may look for it.
  void ReleaseStartLock();
  bool RegisterPaletteClass();

  // "/OPTIONS": the options sheet alone, centred on the screen; false when a value could not
  // be stored.
  bool RunOptionsAlone();
  // "/?": the switches and the exit statuses in one box.
  void ListSwitches();

  // What the palette and the options sheet use, drawn from this object.
  PaletteServices MakePaletteServices();
  OptionsServices MakeOptionsServices();
  // The start-up picture of this run.
  CStartupPicture& Splash() { return m_splash; }

 private:
  std::string m_strInstallDir;
  CWin32DriverTransport m_transport;  // before m_driver, which exchanges through it
  CDriverChannel m_driver;
  CSettingsStore m_settings;
  CSettingsStore m_userSettings{HKEY_CURRENT_USER};
  CWin32System m_system;
  Switches m_switches;
  CStartLock m_startLock;
  framework::CClassRegistration m_paletteClass;
  bool m_bOleInitialized = false;
  CStartupPicture m_splash;
  // This run's palette and start-up action while RunCourse runs.
  CMainPalette* m_pPalette = nullptr;
  DriverAction* m_pStartup = nullptr;
};

}  // namespace velmora
