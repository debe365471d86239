// Where the palette course's start-up time goes: runs the steps of CPaletteApp::InitInstance
// in their order, in one fresh process, and prints the milliseconds of each on one line:
//   loader  palette-object  instance+class  registry+upgrade  driver-check  ole  window  total
// "loader" is the starter's CreateProcess call until WinMain; "window" is from the modal run's start until the
// palette is shown, painted and idle (a zero timer fires only then), when it gets the quit
// message. bench/run.sh runs it several times and reports medians. A windows-subsystem
// program like Velmora.exe (a console program would start a console first); it writes its
// line to the standard output it was given.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>

#include "app/win32/palette_app.h"
#include "bench/bench_stats.h"
#include "driver/driver_checks.h"
#include "palette/win32/main_palette.h"

namespace {

velmora::CPaletteApp theApp;
double g_readyMs = 0;

void CALLBACK OnIdle(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_readyMs = bench::NowMs();
  if (HWND palette = FindWindowA("VelmoraMainPalette", nullptr)) PostMessageA(palette, 0x069A, 0x123, 0x543);
}


}  // namespace

// The command line carries the starter's clock reading (bench::NowMs) taken just before it
// created this process; the performance counter is the same in every process.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  const double loader = bench::NowMs() - std::strtod(cmdLine, nullptr);
  double t[8];
  t[0] = bench::NowMs();
  {
    velmora::CMainPalette palette(theApp.MakePaletteServices());
    t[1] = bench::NowMs();
    if (!theApp.IsFirstInstance()) return 2;
    theApp.RegisterPaletteClass();
    t[2] = bench::NowMs();
    theApp.LoadInstallDir();
    theApp.ParseSwitches();
    if (theApp.CheckForUpgrade()) return 2;
    t[3] = bench::NowMs();
    velmora::CheckDriverAtStartup(theApp.m_driver, theApp);
    t[4] = bench::NowMs();
    if (FAILED(OleInitialize(nullptr))) return 2;
    t[5] = bench::NowMs();
    SetTimer(nullptr, 0, 0, &OnIdle);
    palette.DoModal();
    t[6] = g_readyMs;
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
