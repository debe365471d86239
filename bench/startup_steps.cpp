// Where the palette course's start-up time goes: takes the course of CPaletteApp::InitInstance
// (CPaletteApp::RunCourse over the application's own steps) in one fresh process, each step
// wrapped to read the clock, and prints the milliseconds of each part on one line:
//   loader  palette-object  instance+dir  switches+upgrade  driver-check  ole  window  total
// "loader" is the starter's CreateProcess call until WinMain; "window" is from the modal run's start until the
// palette is shown, painted and idle (a zero timer fires only then), when it gets the quit
// message. bench/run.sh runs it several times and reports medians. A windows-subsystem
// program like Velmora.exe (a console program would start a console first); it writes its
// line to the standard output it was given.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup_course.h"
#include "app/switches.h"
#include "app/win32/palette_app.h"
#include "bench/bench_stats.h"
#include "common/palette_contract.h"
#include "palette/win32/main_palette.h"

namespace {

velmora::CPaletteApp theApp;
double g_readyMs = 0;

void CALLBACK OnIdle(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_readyMs = bench::NowMs();
  if (HWND palette = FindWindowA(velmora::kPaletteClassName, nullptr)) PostMessageA(palette, velmora::kQuitMessage, velmora::kQuitWParam, velmora::kQuitLParam);
}

// The application's steps, each followed by a clock reading where a part of the line ends.
class CTimedSteps : public velmora::StartupSteps {
 public:
  CTimedSteps(velmora::StartupSteps& steps, double* marks) : m_steps(steps), m_marks(marks) {}

  bool IsFirstInstance() override { return m_steps.IsFirstInstance(); }
  void LoadInstallDir() override {
    m_steps.LoadInstallDir();
    m_marks[2] = bench::NowMs();
  }
  velmora::Switches ReadSwitches() override { return m_steps.ReadSwitches(); }
  bool UpgradeEndsRun(bool forcePrompt) override { return m_steps.UpgradeEndsRun(forcePrompt); }
  void WaitForStartingDriver(bool showSplash) override { m_steps.WaitForStartingDriver(showSplash); }
  void CheckDriver() override {
    m_marks[3] = bench::NowMs();
    m_steps.CheckDriver();
    m_marks[4] = bench::NowMs();
  }
  bool InitializeOle() override {
    const bool started = m_steps.InitializeOle();
    m_marks[5] = bench::NowMs();
    return started;
  }
  void ShowSplash() override { m_steps.ShowSplash(); }
  void DismissSplash() override { m_steps.DismissSplash(); }
  int SetActivation(int requested) override { return m_steps.SetActivation(requested); }
  void RunPalette() override {
    SetTimer(nullptr, 0, 0, &OnIdle);
    m_steps.RunPalette();
    m_marks[6] = g_readyMs;
  }

 private:
  velmora::StartupSteps& m_steps;
  double* m_marks;
};

}  // namespace

// The command line carries the starter's clock reading (bench::NowMs) taken just before it
// created this process; the performance counter is the same in every process.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  const double loader = bench::NowMs() - std::strtod(cmdLine, nullptr);
  double t[7] = {};
  t[0] = bench::NowMs();
  {
    const velmora::PaletteServices services = theApp.MakePaletteServices();
    velmora::DriverAction startup(services.driver);
    velmora::CMainPalette palette(services);
    t[1] = bench::NowMs();
    CTimedSteps timed(theApp, t);
    if (theApp.RunCourse(palette, startup, &timed) != 0 || t[6] == 0) return 2;
  }
  theApp.ExitInstance();
  char line[256];
  int n = std::snprintf(line, sizeof line, "%.2f", loader);
  for (int i = 1; i < 7; ++i) n += std::snprintf(line + n, sizeof line - n, "\t%.2f", t[i] - t[i - 1]);
  n += std::snprintf(line + n, sizeof line - n, "\t%.2f\n", loader + t[6] - t[0]);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &written, nullptr);
  return 0;
}
