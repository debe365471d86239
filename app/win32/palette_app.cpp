#include "app/win32/palette_app.h"

#include <ole2.h>

#include "app/error_box.h"
#include "app/install_dir.h"
#include "app/startup_course.h"
#include "app/win32/driver_start_probe.h"
#include "driver/activation.h"
#include "driver/driver_checks.h"
#include "driver/driver_start_wait.h"
#include "driver/win32/win32_driver_transport.h"
#include "resource.h"
#include "options/win32/adv_property_sheet.h"
#include "palette/win32/main_palette.h"
#include "upgrade/upgrade_check.h"
#include "upgrade/win32/centre_window.h"
#include "upgrade/win32/upgrade_prompt_runner.h"
#include "palette/win32/startup_splash.h"
#include "framework/win32/handles.h"
#include "framework/win32/message_box.h"
#include "framework/win32/modal_scope.h"

namespace velmora {
namespace {

const char kPaletteClass[] = "VelmoraMainPalette";
// Set when this process registered the palette class, so only that is unregistered.
bool g_bPaletteClassRegistered = false;

// The driver exchange of this machine; stateless, shared by every request.
CWin32DriverTransport& MachineDriverTransport() {
  static CWin32DriverTransport transport;
  return transport;
}

// The application's side of the start-up course.
class CStartupSteps : public StartupSteps {
 public:
  CStartupSteps(CPaletteApp& app, CMainPalette& palette, DriverAction& startup)
      : m_app(app), m_palette(palette), m_startup(startup) {}

  bool IsFirstInstance() override { return m_app.IsFirstInstance() != 0; }
  void Prepare() override {
    CPaletteApp::RegisterPaletteClass();
    m_app.LoadInstallDir();
  }
  Switches ReadSwitches() override {
    m_app.ParseSwitches();
    Switches s;
    s.commandLineAction = m_app.m_bCommandLineAction;
    s.requestedState = m_app.m_nRequestedState;
    s.showSplash = m_app.m_bShowSplash;
    s.forceUpgradePrompt = m_app.m_bForceUpgradePrompt;
    return s;
  }
  bool UpgradeEndsRun(bool /*forcePrompt: read by CheckForUpgrade itself*/) override {
    return m_app.CheckForUpgrade() != 0;
  }
  void WaitForStartingDriver(bool showSplash) override {
    CDriverStartProbe probe(MachineDriverTransport(), m_app.Splash(), [this, showSplash] {
      if (showSplash) ShowSplash();
    });
    velmora::WaitForStartingDriver(probe);
  }
  void CheckDriver() override { CheckDriverAtStartup(m_app.m_driver, m_app); }
  bool InitializeOle() override { return m_app.InitializeOle(); }
  void ShowSplash() override {
    m_app.Splash().Enable(true);
    m_app.Splash().Show(&m_palette);  // the palette has no window yet: the splash has no owner
  }
  // Common controls are registered by the framework before the first property sheet or
  // up-down control, with COMCTL32 loaded then: no course but the options sheet needs them.
  void DismissSplash() override { m_app.Splash().Dismiss(); }
  int SetActivation(int requested) override { return m_app.SetActivation(requested); }
  void RunPalette() override {
    m_startup.End();
    // Closed by the system's installer for an update (or by the end of the session), the
    // palette is started again afterwards, as it was: without switches. Never after a crash or
    // a hang, which a restart would only repeat.
    RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
    m_palette.DoModal();
  }

 private:
  CPaletteApp& m_app;
  CMainPalette& m_palette;
  DriverAction& m_startup;
};

}  // namespace

CPaletteApp::CPaletteApp() : CWinApp("Velmora"), m_driver(MachineDriverTransport()) {}

CPaletteApp::~CPaletteApp() = default;

PaletteServices CPaletteApp::MakePaletteServices() {
  return {m_driver, m_settings, *this,
          [this](OwnerWindow parent) {
            CAdvPropertySheet sheet(MakeOptionsServices(), static_cast<HWND>(parent));
            sheet.DoModal();  // the result does not matter: the pages stored what they had to
          },
          [this] { ReleaseStartLock(); }};
}

OptionsServices CPaletteApp::MakeOptionsServices() { return {m_settings, m_system, *this, m_driver, m_strInstallDir}; }

BOOL CPaletteApp::InitInstance() {
  // Start-up is one action for the driver until the palette shows or the change is made.
  DriverAction startup(m_driver);
  CMainPalette palette(MakePaletteServices());
  CStartupSteps steps(*this, palette, startup);
  if (RunStartupCourse(steps) != 0) m_nExitCode = 1;
  return FALSE;
}

bool CPaletteApp::InitializeOle() {
  if (FAILED(OleInitialize(nullptr))) {
    framework::AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK);
    return false;
  }
  m_bOleInitialized = true;
  return true;
}

BOOL CPaletteApp::PreTranslateMessage(MSG* msg) {
  if (m_bShowSplash) m_splash.Filter(msg);
  return CWinApp::PreTranslateMessage(msg);
}

int CPaletteApp::ExitInstance() {
  ReleaseStartLock();
  if (g_bPaletteClassRegistered) {
    UnregisterClassA(kPaletteClass, m_hInstance);
    g_bPaletteClassRegistered = false;
  }
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

std::intptr_t CPaletteApp::RunProgram(const std::string& dir, const std::string& file) {
  return m_system.RunProgram(dir, file);
}

int CPaletteApp::RestartWindows() { return m_system.RestartWindows() ? 1 : 0; }

int CPaletteApp::CheckDriverVersion(DriverStatus* status) { return velmora::CheckDriverVersion(m_driver, status); }

void CPaletteApp::ReportDriverStatus() { velmora::ReportDriverStatus(m_driver, *this); }

int CPaletteApp::SetActivation(int requested) {
  return velmora::SetActivation(m_driver, m_settings, *this, requested);
}

int CPaletteApp::IsFirstInstance() {
  if (!m_startLock.Take()) return 0;  // the other start's box or dialog was brought forward
  HWND palette = FindWindowA(kPaletteClass, nullptr);
  if (!palette) return 1;  // the lock stays held until this start's palette exists
  ReleaseStartLock();
  HWND popup = GetLastActivePopup(palette);
  BringWindowToTop(palette);
  if (IsIconic(palette)) ShowWindow(palette, SW_RESTORE);
  BringWindowToTop(popup);
  SetForegroundWindow(popup);
  return 0;
}

void CPaletteApp::ReleaseStartLock() { m_startLock.Release(); }

int CPaletteApp::RegisterPaletteClass() {
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
  wc.lpszClassName = kPaletteClass;
  if (!framework::AfxRegisterClass(&wc)) return 0;
  g_bPaletteClassRegistered = true;
  return 1;
}

void CPaletteApp::LoadInstallDir() { m_strInstallDir = velmora::LoadInstallDir(m_settings, m_system, *this); }

int CPaletteApp::CheckForUpgrade() {
  const UpgradeServices services{m_settings, m_system, *this, m_strInstallDir, &SystemUpperCase};
  CUpgradePromptRunner prompt(services);
  return velmora::CheckForUpgrade(services, m_bForceUpgradePrompt != 0, prompt);
}

void CPaletteApp::ParseSwitches() {
  std::string upper(m_lpCmdLine ? m_lpCmdLine : "");
  SystemUpperCase(upper);
  const Switches s = velmora::ParseSwitches(upper);
  m_bCommandLineAction = s.commandLineAction;
  m_nRequestedState = s.requestedState;
  m_bShowSplash = s.showSplash;
  m_bForceUpgradePrompt = s.forceUpgradePrompt;
}

}  // namespace velmora
