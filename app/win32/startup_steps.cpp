#include "app/win32/startup_steps.h"

#include <windows.h>

#include "app/win32/palette_app.h"
#include "driver/driver_channel.h"
#include "palette/win32/main_palette.h"
#include "palette/win32/startup_splash.h"

namespace velmora {

bool CStartupSteps::IsFirstInstance() { return m_app.IsFirstInstance() != 0; }

void CStartupSteps::RegisterClassAndLoadInstallDir() {
  m_app.RegisterPaletteClass();  // without the class the palette cannot open; start-up goes on
  m_app.LoadInstallDir();
}

Switches CStartupSteps::ReadSwitches() { return m_app.ParseSwitches(); }

bool CStartupSteps::UpgradeEndsRun(bool forcePrompt) { return m_app.CheckForUpgrade(forcePrompt); }

void CStartupSteps::WaitForStartingDriver(bool showSplash) {
  m_app.WaitForStartingDriver([this, showSplash] {
    if (showSplash) ShowSplash();
  });
}

void CStartupSteps::CheckDriver() { m_app.CheckDriver(); }

bool CStartupSteps::InitializeOle() { return m_app.InitializeOle(); }

void CStartupSteps::ShowSplash() {
  m_app.Splash().Enable(true);
  m_app.Splash().Show(&m_palette);  // the palette has no window yet: the splash has no owner
}

void CStartupSteps::DismissSplash() { m_app.Splash().Dismiss(); }

int CStartupSteps::SetActivation(int requested) { return m_app.SetActivation(requested); }

void CStartupSteps::RunPalette() {
  m_startup.End();
  // Closed by the system's installer for an update (or by the end of the session), the palette
  // is started again afterwards, as it was: without switches. Never after a crash or a hang,
  // which a restart would only repeat.
  RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
  m_palette.DoModal();
}

}  // namespace velmora
