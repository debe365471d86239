// The application's side of the start-up course: each step of app/startup_course.h carried out
// by the application object, the palette and the start-up picture.
#pragma once
#include "app/startup_course.h"
#include "app/switches.h"

namespace velmora {

class CPaletteApp;
class CMainPalette;
class DriverAction;

class CStartupSteps : public StartupSteps {
 public:
  CStartupSteps(CPaletteApp& app, CMainPalette& palette, DriverAction& startup)
      : m_app(app), m_palette(palette), m_startup(startup) {}

  bool IsFirstInstance() override;
  void RegisterClassAndLoadInstallDir() override;
  Switches ReadSwitches() override;
  bool UpgradeEndsRun(bool forcePrompt) override;
  void WaitForStartingDriver(bool showSplash) override;
  void CheckDriver() override;
  bool InitializeOle() override;
  void ShowSplash() override;
  void DismissSplash() override;
  int SetActivation(int requested) override;
  void RunPalette() override;

 private:
  CPaletteApp& m_app;
  CMainPalette& m_palette;
  DriverAction& m_startup;
};

}  // namespace velmora
