#include "app/win32/palette_app.h"

#include <ole2.h>

#include "app/error_box.h"
#include "app/install_dir.h"
#include "app/startup_course.h"
#include "app/store_failure_watch.h"
#include "app/win32/driver_start_probe.h"
#include "common/palette_contract.h"
#include "driver/activation.h"
#include "driver/driver_checks.h"
#include "driver/driver_start_wait.h"
#include "framework/win32/message_box.h"
#include "framework/win32/modal_scope.h"
#include "framework/win32/resource_string.h"
#include "options/win32/adv_property_sheet.h"
#include "palette/win32/main_palette.h"
#include "palette/win32/startup_splash.h"
#include "resource.h"
#include "upgrade/upgrade_check.h"
#include "upgrade/win32/upgrade_prompt_runner.h"

namespace velmora {

CPaletteApp::CPaletteApp() : CWinApp("Velmora"), m_driver(m_transport) {}

CPaletteApp::~CPaletteApp() = default;

PaletteServices CPaletteApp::MakePaletteServices() {
  return {m_driver, m_settings, *this,
          [this](OwnerWindow parent) {
            CAdvPropertySheet sheet(MakeOptionsServices(), static_cast<HWND>(parent));
            sheet.DoModal();  // the result does not matter: the pages stored what they had to
          },
          [this] { ReleaseStartLock(); }};
}

bool CPaletteApp::RunOptionsAlone() {
  LoadInstallDir();
  StoreFailureWatch prompts(*this);
  const OptionsServices services{m_settings, m_system, prompts, m_driver, m_strInstallDir};
  CAdvPropertySheet sheet(services, nullptr);
  sheet.CentreOnScreen();
  sheet.DoModal();
  return !prompts.Failed();
}

void CPaletteApp::ListSwitches() {
  // Longer than the usual 256 characters of a string-table box.
  framework::AfxMessageBox(framework::LoadResourceString(IDS_SWITCHES_HELP, 1024), MB_OK | MB_ICONINFORMATION);
}

OptionsServices CPaletteApp::MakeOptionsServices() { return {m_settings, m_system, *this, m_driver, m_strInstallDir}; }

BOOL CPaletteApp::InitInstance() {
  // The list and the options alone take no turn, hand nothing over and ask the driver nothing.
  switch (ChooseCourse(ReadSwitches())) {
    case Course::kListSwitches:
      ListSwitches();
      return FALSE;
    case Course::kOptionsAlone:
      if (!RunOptionsAlone()) m_nExitCode = 1;
      return FALSE;
    case Course::kStartup:
      break;
  }
  // Start-up is one action for the driver until the palette shows or the change is made.
  DriverAction startup(m_driver);
  CMainPalette palette(MakePaletteServices());
  m_nExitCode = RunCourse(palette, startup);
  return FALSE;
}

int CPaletteApp::RunCourse(CMainPalette& palette, DriverAction& startup, StartupSteps* course) {
  m_pPalette = &palette;
  m_pStartup = &startup;
  const int code = RunStartupCourse(course ? *course : *this);
  m_pPalette = nullptr;
  m_pStartup = nullptr;
  return code;
}

BOOL CPaletteApp::PreTranslateMessage(MSG* msg) {
  if (m_switches.showSplash) m_splash.Filter(msg);
  return CWinApp::PreTranslateMessage(msg);
}

int CPaletteApp::ExitInstance() {
  ReleaseStartLock();
  m_paletteClass.Unregister();
  if (m_bOleInitialized) {
    OleUninitialize();
    m_bOleInitialized = false;
  }
  return CWinApp::ExitInstance();
}

int CPaletteApp::ShowError(int code, unsigned flags, OwnerWindow owner) {
  const std::string entry = framework::LoadResourceString(static_cast<UINT>(code));
  const ErrorBoxText box = MakeErrorBox(code, entry.empty() ? nullptr : entry.c_str());
  return framework::ModalMessageBox(static_cast<HWND>(owner), box.text.c_str(), box.caption.c_str(), flags);
}

int CPaletteApp::ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner) {
  const std::string entry = framework::LoadResourceString(static_cast<UINT>(code), 256);
  const ErrorBoxText box = MakeErrorBoxWithArg(code, entry.empty() ? nullptr : entry.c_str(), arg);
  return framework::ModalMessageBox(static_cast<HWND>(owner), box.text.c_str(), box.caption.c_str(), flags);
}

int CPaletteApp::ShowMessage(unsigned stringId, unsigned flags) {
  return framework::AfxMessageBox(stringId, flags);
}

bool CPaletteApp::IsFirstInstance() {
  if (!m_startLock.WaitForTurn()) return false;  // the other start's box or dialog was brought forward
  HWND palette = FindWindowA(kPaletteClassName, nullptr);
  if (!palette) return true;  // the lock stays held until this start's palette exists
  ReleaseStartLock();
  HWND popup = GetLastActivePopup(palette);
  BringWindowToTop(palette);
  if (IsIconic(palette)) ShowWindow(palette, SW_RESTORE);
  BringWindowToTop(popup);
  SetForegroundWindow(popup);
  return false;
}

void CPaletteApp::ReleaseStartLock() { m_startLock.Release(); }

bool CPaletteApp::RegisterPaletteClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = framework::AfxGetInstanceHandle();
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_PALETTE));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = kPaletteClassName;
  return m_paletteClass.Register(wc);
}

void CPaletteApp::LoadInstallDir() { m_strInstallDir = velmora::LoadInstallDir(m_settings, m_system, *this); }

Switches CPaletteApp::ReadSwitches() {
  std::string upper(m_lpCmdLine ? m_lpCmdLine : "");
  m_system.UpperCase(upper);
  m_switches = velmora::ParseSwitches(upper);
  return m_switches;
}

bool CPaletteApp::UpgradeEndsRun(bool forcePrompt) {
  const UpgradeServices services{m_settings, m_userSettings, m_system, *this, m_strInstallDir};
  CUpgradePromptRunner prompt(services);
  return velmora::CheckForUpgrade(services, forcePrompt, prompt) != 0;
}

void CPaletteApp::WaitForStartingDriver(bool showSplash) {
  CDriverStartProbe probe(m_transport, m_splash, [this, showSplash] {
    if (showSplash) ShowSplash();
  });
  velmora::WaitForStartingDriver(probe);
}

void CPaletteApp::CheckDriver() { CheckDriverAtStartup(m_driver, *this); }

bool CPaletteApp::InitializeOle() {
  if (FAILED(OleInitialize(nullptr))) {
    framework::AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK);
    return false;
  }
  m_bOleInitialized = true;
  return true;
}

void CPaletteApp::ShowSplash() {
  m_splash.Enable(true);
  m_splash.Show(m_pPalette);  // the palette has no window yet: the splash has no owner
}

void CPaletteApp::DismissSplash() { m_splash.Dismiss(); }

int CPaletteApp::SetActivation(int requested) {
  return velmora::SetActivation(m_driver, m_settings, *this, requested);
}

void CPaletteApp::RunPalette() {
  m_pStartup->End();
  // Only the palette's window is of this class (its icon and cursor cost a command-line change
  // nothing); without it the palette cannot open and the run ends.
  RegisterPaletteClass();
  // Closed by the system's installer for an update (or by the end of the session), the palette
  // is started again afterwards, as it was: without switches. Never after a crash or a hang,
  // which a restart would only repeat.
  RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
  m_pPalette->DoModal();
}

}  // namespace velmora
