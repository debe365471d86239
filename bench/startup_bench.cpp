// Start-up benchmarks under one lasting GUI session (this process keeps a window, so the
// desktop process runs throughout, as on a real desktop):
//  - the command-line course "Velmora.exe /DEA /NOB" against its floor (a program doing the
//    course's platform work, importing only what that needs), the same work importing the
//    libraries Velmora.exe imported before, and the empty program; each timed from process
//    start to exit;
//  - the palette course against its floor (the palette's template, pictures and icon in plain
//    Win32) and empty dialogs, timed from process start until the window is visible and
//    answers a message, then ended with the quit message;
//  - the options sheet after a click on the palette's options button, against the floor's
//    sheet with the same page, timed from the click until the sheet is visible and answers;
//  - footprint: the size of Velmora.exe, the peak working set of the palette course, and that
//    of the command-line course against its floor (sampled until the process ends, in runs
//    of their own so the sampling does not slow the timed runs).
// The programs compared run interleaved, in a rotating order, after warm-up runs.
//   bench_startup.exe [--rounds N] [--warmup W] [--before EXE]
//     --before: an earlier build of Velmora.exe beside it, run interleaved with the same courses
//   bench_startup.exe --hold      only keeps the session's desktop alive, until ended
//   bench_startup.exe --steps N   runs bench_steps.exe N times, one after another
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "common/palette_contract.h"

namespace {

using velmora::kQuitLParam;
using velmora::kQuitMessage;
using velmora::kQuitWParam;
constexpr DWORD kRunLimitMs = 30000;
constexpr int kOptionsButton = 1002;

struct Program {
  const char* label;
  std::string exe;
  std::string args;
  const char* windowClass;  // palette scenario: the window that marks "ready"
};

constexpr double kMiB = 1048576;

struct Started {
  HANDLE process = nullptr;
  DWORD pid = 0;
};

Started Start(const Program& p, BOOL inheritOutput = FALSE) {
  const std::string dir = bench::ProgramDir();
  std::string cmd = "\"" + dir + "\\" + p.exe + "\"" + (p.args.empty() ? "" : " " + p.args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (inheritOutput) {
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, inheritOutput, 0, nullptr, dir.c_str(), &si, &pi)) {
    return {};
  }
  CloseHandle(pi.hThread);
  return {pi.hProcess, pi.dwProcessId};
}

bool Finish(Started& s, DWORD limitMs, DWORD* code) {
  const bool ended = WaitForSingleObject(s.process, limitMs) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(s.process, 99);
    WaitForSingleObject(s.process, 5000);
  }
  GetExitCodeProcess(s.process, code);
  CloseHandle(s.process);
  s.process = nullptr;
  return ended;
}

// Milliseconds from start to exit; negative when it failed or did not end.
double RunToExit(const Program& p) {
  const double t0 = bench::NowMs();
  Started s = Start(p);
  if (!s.process) return -1;
  DWORD code = 0;
  const bool ended = Finish(s, kRunLimitMs, &code);
  const double ms = bench::NowMs() - t0;
  if (!ended || code != 0) {
    std::fprintf(stderr, "%s %s: %s (exit code %lu)\n", p.exe.c_str(), p.args.c_str(),
                 ended ? "failed" : "did not end", static_cast<unsigned long>(code));
    return -1;
  }
  return ms;
}

// The peak working set of a process that runs to its end, read every millisecond until then
// (the last reading before the end is the peak); 0 when it could not be read.
double SampledPeakWorkingSet(const Program& p) {
  Started s = Start(p);
  if (!s.process) return 0;
  SIZE_T peak = 0;
  const double deadline = bench::NowMs() + kRunLimitMs;
  while (WaitForSingleObject(s.process, 1) == WAIT_TIMEOUT && bench::NowMs() < deadline) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(s.process, &pmc, sizeof pmc) && pmc.PeakWorkingSetSize > peak) {
      peak = pmc.PeakWorkingSetSize;
    }
  }
  DWORD code = 0;
  Finish(s, 0, &code);
  return static_cast<double>(peak);
}

struct WindowSearch {
  DWORD pid;
  const char* cls;
  HWND found;
  const char* caption = nullptr;  // any when null
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !IsWindowVisible(wnd)) return TRUE;
  char cls[64] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (lstrcmpiA(cls, s->cls) != 0) return TRUE;
  if (s->caption) {
    char text[64] = {};
    GetWindowTextA(wnd, text, sizeof text);
    if (lstrcmpA(text, s->caption) != 0) return TRUE;
  }
  s->found = wnd;
  return FALSE;
}

// Waits until the process shows the window searched for and it answers a message.
HWND WaitForAnsweringWindow(const Started& s, WindowSearch search, double deadline) {
  while (bench::NowMs() < deadline && WaitForSingleObject(s.process, 0) == WAIT_TIMEOUT) {
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
    Sleep(1);
  }
  DWORD_PTR ignored = 0;
  if (search.found &&
      SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &ignored)) {
    return search.found;
  }
  return nullptr;
}

struct WindowRun {
  double readyMs = -1;  // start until visible and answering
  double endMs = -1;    // start until the process ended after the quit message
  SIZE_T peakWorkingSet = 0;
};

WindowRun RunWindow(const Program& p) {
  WindowRun r;
  const double t0 = bench::NowMs();
  Started s = Start(p);
  if (!s.process) return r;
  HWND found = WaitForAnsweringWindow(s, {s.pid, p.windowClass, nullptr}, t0 + kRunLimitMs);
  if (found) {
    r.readyMs = bench::NowMs() - t0;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(s.process, &pmc, sizeof pmc)) r.peakWorkingSet = pmc.PeakWorkingSetSize;
    PostMessageA(found, kQuitMessage, kQuitWParam, kQuitLParam);
  }
  DWORD code = 0;
  if (Finish(s, found ? 10000 : 0, &code) && r.readyMs >= 0) r.endMs = bench::NowMs() - t0;
  if (r.endMs < 0) {
    std::fprintf(stderr, "%s: no answering %s window, or it did not end on the quit message\n", p.exe.c_str(),
                 p.windowClass);
  }
  return r;
}

// Milliseconds from the click on the palette's options button until the options sheet is
// visible and answers; the sheet is then cancelled and the palette sent its quit message.
// Negative when it failed.
double RunOptionsSheet(const Program& p) {
  Started s = Start(p);
  if (!s.process) return -1;
  double ms = -1;
  HWND palette = WaitForAnsweringWindow(s, {s.pid, p.windowClass, nullptr}, bench::NowMs() + kRunLimitMs);
  HWND button = palette ? GetDlgItem(palette, kOptionsButton) : nullptr;
  if (button) {
    const double t0 = bench::NowMs();
    PostMessageA(palette, WM_COMMAND, MAKEWPARAM(kOptionsButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    WindowSearch sheet{s.pid, "#32770", nullptr, "Velmora Options"};
    if (HWND found = WaitForAnsweringWindow(s, sheet, t0 + kRunLimitMs)) {
      ms = bench::NowMs() - t0;
      PostMessageA(found, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      const double deadline = bench::NowMs() + 10000;
      while (IsWindow(found) && IsWindowVisible(found) && bench::NowMs() < deadline) Sleep(1);
    }
    PostMessageA(palette, kQuitMessage, kQuitWParam, kQuitLParam);
  }
  DWORD code = 0;
  if (!Finish(s, palette ? 10000 : 0, &code) || ms < 0) {
    std::fprintf(stderr, "%s: no palette, no options sheet after the click, or no end\n", p.exe.c_str());
    return -1;
  }
  return ms;
}

// The bench runs in the client's registry shape: installed in the programs' folder, no
// upgrade on offer (an offer would stop every run at its prompt), cache settings stored (missing
// ones would be reported in boxes before the options sheet shows).
bool PrepareRegistry() {
  HKEY key = nullptr;
  const std::string dir = bench::ProgramDir();
  bool ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nolvex\\Velmora", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) == ERROR_SUCCESS;
  if (ok) {
    ok = RegSetValueExA(key, "InstalledDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                        static_cast<DWORD>(dir.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  const DWORD no = 0;
  if (ok && RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NOLVEX\\VELMORA\\General", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) == ERROR_SUCCESS) {
    ok = RegSetValueExA(key, "ShouldUpgrade", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&no), sizeof no) ==
         ERROR_SUCCESS;
    RegCloseKey(key);
  }
  const struct {
    const char* name;
    DWORD value;
  } cache[] = {{"BlockSize", 2048}, {"MaxSize", 20480}, {"RefreshTimer", 600}};
  if (ok && RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NOLVEX\\VELMORA\\Cache", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) == ERROR_SUCCESS) {
    for (const auto& v : cache) {
      ok = ok && RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value),
                                sizeof v.value) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
  }
  return ok;
}

// The courses measured expect a running, inactive stand-in driver.
bool DriverIsInactive() {
  static std::int32_t request[6132 / 4], reply[6132 / 4];
  request[0] = 1;
  DWORD got = 0;
  return CallNamedPipeA("\\\\.\\pipe\\VLIFS95", request, sizeof request, reply, sizeof reply, &got, 5000) &&
         got >= 24 && reply[0] == 0 && reply[5] == 4;
}

struct Series {
  const Program* program;
  std::vector<double> ms;
  std::vector<double> endMs;       // palette scenario: start to exit after the quit message
  std::vector<double> workingSet;  // palette scenario: peak working set in bytes
};

void Report(const char* what, const std::vector<Series>& series) {
  std::printf("%s\n", what);
  for (const Series& s : series) {
    std::printf("  %-40s median %7.1f ms  (min %6.1f, max %6.1f)\n", s.program->label, bench::Median(s.ms),
                bench::Min(s.ms), bench::Max(s.ms));
  }
}

// Side-by-side ratio: the median of the rounds' own ratios (each round runs both programs
// back to back); the ratio of the medians follows for comparison.
void Ratio(const char* what, const Series& a, const Series& b, const char* target) {
  std::vector<double> paired;
  for (std::size_t i = 0; i < a.ms.size() && i < b.ms.size(); ++i) paired.push_back(a.ms[i] / b.ms[i]);
  std::printf("  %-40s %6.3f  (ratio of medians %.3f)%s\n", what, bench::Median(paired),
              bench::Median(a.ms) / bench::Median(b.ms), target);
}

// One line of ratios: series a against series b of the same scenario, by index.
struct Comparison {
  const char* what;
  std::size_t a;
  std::size_t b;
  const char* target;
};

void Ratios(const std::vector<Series>& series, std::initializer_list<Comparison> comparisons) {
  for (const Comparison& c : comparisons) Ratio(c.what, series[c.a], series[c.b], c.target);
}

double FileSize(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA((bench::ProgramDir() + "\\" + name).c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<double>(data.nFileSizeLow) + static_cast<double>(data.nFileSizeHigh) * 4294967296.0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = bench::IntOption(argc, argv, "--rounds", 15);
  const int warmup = bench::IntOption(argc, argv, "--warmup", 3);

  // This window keeps the session's desktop process alive for the whole measurement.
  HWND keeper = CreateWindowExA(0, "STATIC", "bench session", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!keeper) {
    std::fprintf(stderr, "bench_startup: no window, no desktop session\n");
    return 2;
  }
  if (argc > 1 && std::string(argv[1]) == "--hold") {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "--steps") {
    for (int i = bench::IntOption(argc, argv, "--steps", 9); i > 0; --i) {
      std::fflush(stdout);
      char t0[32];
      std::snprintf(t0, sizeof t0, "%.3f", bench::NowMs());
      const Program steps{"steps", "bench_steps.exe", t0, nullptr};
      Started s = Start(steps, TRUE);
      DWORD code = 0;
      if (!s.process || !Finish(s, kRunLimitMs, &code) || code != 0) return 1;
    }
    return 0;
  }
  if (FindWindowA(velmora::kPaletteClassName, nullptr)) {
    std::fprintf(stderr, "bench_startup: a palette is already open in this prefix; close it first\n");
    return 2;
  }
  if (!PrepareRegistry() || !DriverIsInactive()) {
    std::fprintf(stderr, "bench_startup: needs the registry and an inactive vlifs95sim on \\\\.\\pipe\\VLIFS95\n");
    return 2;
  }

  const Program course{"Velmora.exe /DEA /NOB", "Velmora.exe", "/DEA /NOB", nullptr};
  const Program floorCourse{"floor course program", "bench_floor_course.exe", "", nullptr};
  const Program minimal{"  same, Velmora's former imports", "bench_minimal_course.exe", "", nullptr};
  const Program empty{"empty program", "bench_empty.exe", "", nullptr};
  const Program palette{"Velmora.exe palette ready", "Velmora.exe", "", velmora::kPaletteClassName};
  const Program floorPalette{"floor palette ready", "bench_floor_palette.exe", "", velmora::kPaletteClassName};
  const Program floorPaletteOle{"  floor palette + OLE", "bench_floor_palette_ole.exe", "", velmora::kPaletteClassName};
  const Program dialog{"empty dialog ready", "bench_empty_dialog.exe", "", "#32770"};
  const Program dialogLibraries{"  + Velmora's former imports", "bench_dialog_libraries.exe", "", "#32770"};
  const Program dialogPlatform{"  + OLE and common-control init", "bench_dialog_platform.exe", "", "#32770"};
  std::string beforeExe;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--before") beforeExe = argv[i + 1];
  }
  const Program courseBefore{"Velmora.exe /DEA /NOB, earlier build", beforeExe, "/DEA /NOB", nullptr};
  const Program paletteBefore{"Velmora.exe palette, earlier build", beforeExe, "", velmora::kPaletteClassName};
  const Program sheet{"Velmora.exe options sheet", "Velmora.exe", "", velmora::kPaletteClassName};
  const Program floorSheet{"floor palette's sheet", "bench_floor_palette.exe", "", velmora::kPaletteClassName};

  std::vector<Series> courses{{&course, {}, {}, {}}, {&floorCourse, {}, {}, {}}, {&minimal, {}, {}, {}},
                              {&empty, {}, {}, {}}};
  std::vector<Series> windows{{&palette, {}, {}, {}},         {&floorPalette, {}, {}, {}},
                              {&floorPaletteOle, {}, {}, {}}, {&dialog, {}, {}, {}},
                              {&dialogLibraries, {}, {}, {}}, {&dialogPlatform, {}, {}, {}}};
  std::vector<Series> sheets{{&sheet, {}, {}, {}}, {&floorSheet, {}, {}, {}}};
  if (!beforeExe.empty()) {
    courses.push_back({&courseBefore, {}, {}, {}});
    windows.push_back({&paletteBefore, {}, {}, {}});
  }

  for (int r = -warmup; r < rounds; ++r) {
    // Rotate the order so no program always runs first or after the same one.
    const std::size_t shift = static_cast<std::size_t>(r + warmup);
    for (std::size_t k = 0; k < courses.size(); ++k) {
      Series& s = courses[(k + shift) % courses.size()];
      const double ms = RunToExit(*s.program);
      if (ms < 0) return 1;
      if (r >= 0) s.ms.push_back(ms);
    }
    for (std::size_t k = 0; k < windows.size(); ++k) {
      Series& s = windows[(k + shift) % windows.size()];
      const WindowRun w = RunWindow(*s.program);
      if (w.endMs < 0) return 1;
      if (r < 0) continue;
      s.ms.push_back(w.readyMs);
      s.endMs.push_back(w.endMs);
      s.workingSet.push_back(static_cast<double>(w.peakWorkingSet));
    }
    for (std::size_t k = 0; k < sheets.size(); ++k) {
      Series& s = sheets[(k + shift) % sheets.size()];
      const double ms = RunOptionsSheet(*s.program);
      if (ms < 0) return 1;
      if (r >= 0) s.ms.push_back(ms);
    }
  }
  // Working sets of the command-line course and its floor, in runs of their own.
  std::vector<double> courseSet, floorSet;
  for (int r = 0; r < std::max(3, rounds / 3); ++r) {
    courseSet.push_back(SampledPeakWorkingSet(course));
    floorSet.push_back(SampledPeakWorkingSet(floorCourse));
  }

  std::printf("%d rounds after %d warm-up rounds, programs interleaved\n\n", rounds, warmup);
  Report("1. command-line course (start to exit)", courses);
  Ratios(courses, {{"ratio to the floor course program", 0, 1, "   target <= 1.10"},
                   {"ratio to the same with former imports", 0, 2, ""},
                   {"ratio to empty program", 0, 3, ""},
                   {"former imports to the floor", 2, 1, ""},
                   {"floor course program to empty program", 1, 3, ""}});
  if (!beforeExe.empty()) Ratio("earlier build to the floor", courses[4], courses[1], "");
  std::printf("\n");
  Report("2. palette ready (start until visible and answering)", windows);
  Ratios(windows, {{"ratio palette/floor palette", 0, 1, "   target <= 1.10"},
                   {"ratio palette/floor palette + OLE", 0, 2, ""},
                   {"floor palette + OLE/floor palette", 2, 1, ""},
                   {"ratio palette/empty dialog", 0, 3, ""},
                   {"ratio palette/dialog with former imports", 0, 4, ""},
                   {"ratio palette/dialog with imports+init", 0, 5, ""},
                   {"floor palette/empty dialog", 1, 3, ""},
                   {"dialog with former imports/empty dialog", 4, 3, ""}});
  if (!beforeExe.empty()) Ratio("earlier build to the floor palette", windows[6], windows[1], "");
  std::printf("  start to exit after the quit message: palette %.1f ms, floor palette %.1f ms\n\n",
              bench::Median(windows[0].endMs), bench::Median(windows[1].endMs));
  Report("3. options sheet ready (click until visible and answering)", sheets);
  Ratio("ratio sheet/floor sheet", sheets[0], sheets[1], "");
  std::printf("\n5. footprint\n");
  std::printf("  Velmora.exe size                   %.0f bytes (%.1f KiB)\n", FileSize("Velmora.exe"),
              FileSize("Velmora.exe") / 1024);
  if (!beforeExe.empty()) {
    std::printf("  peak working set, earlier build's palette %.1f MiB (median)\n",
                bench::Median(windows[6].workingSet) / kMiB);
  }
  std::printf("  peak working set, palette course   %.1f MiB (median; floor palette %.1f MiB, empty dialog %.1f MiB)\n",
              bench::Median(windows[0].workingSet) / kMiB, bench::Median(windows[1].workingSet) / kMiB,
              bench::Median(windows[3].workingSet) / kMiB);
  std::printf("  peak working set, /DEA /NOB        %.1f MiB (median of %zu; floor course %.1f MiB)  ratio %.3f"
              "   target <= 1.15\n",
              bench::Median(courseSet) / kMiB, courseSet.size(), bench::Median(floorSet) / kMiB,
              bench::Median(courseSet) / bench::Median(floorSet));
  DestroyWindow(keeper);
  return 0;
}
