// Long runs: many activation toggles through the palette, many command-line starts. Neither the
// palette's working set nor its handles may grow beyond noise, and at the end the registry
// record and the driver must agree. The counts are reduced in the normal suite; with the
// environment variable VELMORA_SOAK=1 (tools/test-all.sh with SOAK=1) they run in full.
#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/fault_support.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace fault_e2e;

bool FullSoak() {
  const char* soak = std::getenv("VELMORA_SOAK");
  return soak != nullptr && std::string(soak) == "1";
}

struct Footprint {
  SIZE_T workingSet = 0;
  SIZE_T privateBytes = 0;
  DWORD handles = 0;
};

// Open handles of a process. Wine answers GetProcessHandleCount with 0, so the system's handle
// table (NtQuerySystemInformation, class 16) is counted instead when that happens.
DWORD HandleCount(HANDLE process) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count != 0) return count;
  struct Entry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<LONG>(0xC0000004)) {  // too small
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
      continue;
    }
    if (status != 0) return 0;
    break;
  }
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  const DWORD pid = GetProcessId(process);
  for (ULONG i = 0; i < table->count; ++i) {
    if (table->entries[i].ownerPid == pid) ++count;
  }
  return count;
}

Footprint Measure(HANDLE process) {
  Footprint f;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    f.workingSet = counters.WorkingSetSize;
    f.privateBytes = counters.PagefileUsage;
  }
  f.handles = HandleCount(process);
  return f;
}

std::string Describe(const char* what, const Footprint& f) {
  char line[160];
  std::snprintf(line, sizeof line, "%s: working set %zu KB, private %zu KB, handles %lu", what, f.workingSet / 1024,
                f.privateBytes / 1024, static_cast<unsigned long>(f.handles));
  return line;
}

class FaultSoakTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

// One click of the activate button, its message answered.
bool Toggle(robot::Process& p, HWND button, bool activating) {
  PostMessageA(button, BM_CLICK, 0, 0);
  robot::MessageBoxSeen box;
  if (!robot::WaitForMessageBox(p.Pid(), &box, 10s)) return false;
  const bool expected = box.text == (activating ? "Velmora activated successfully." : "Velmora deactivated properly.");
  EXPECT_TRUE(expected) << box.caption << ": " << box.text;
  robot::PressButton(box.wnd, IDOK);
  return robot::WaitUntil([&] { return !IsWindow(box.wnd); }, 5s) && expected;
}

TEST_F(FaultSoakTest, ManyPaletteTogglesKeepTheFootprintAndEndInAgreement) {
  const int toggles = FullSoak() ? 500 : 50;
  const int warmUp = 10;
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  robot::Process p = robot::Start("Velmora.exe", "");
  HWND palette = palette_e2e::WaitForPalette(p);
  ASSERT_NE(nullptr, palette);
  HWND button = GetDlgItem(palette, IDC_ACTIVATE);

  Footprint base;
  Footprint peak;
  const auto start = Clock::now();
  for (int i = 0; i < toggles; ++i) {
    ASSERT_TRUE(Toggle(p, button, i % 2 == 0)) << "toggle " << i;
    const Footprint now = Measure(p.Handle());
    if (i + 1 == warmUp) base = now;
    if (i + 1 > warmUp) {
      peak.workingSet = std::max(peak.workingSet, now.workingSet);
      peak.privateBytes = std::max(peak.privateBytes, now.privateBytes);
      peak.handles = std::max(peak.handles, now.handles);
    }
  }
  const auto took = Clock::now() - start;
  const Footprint end = Measure(p.Handle());
  std::printf("[ soak ] %d toggles in %lld ms\n[ soak ] %s\n[ soak ] %s\n[ soak ] %s\n", toggles, Millis(took),
              Describe("after warm-up", base).c_str(), Describe("peak after", peak).c_str(),
              Describe("end", end).c_str());
  // Noise: a few pages of heap and the odd handle of the system's own; a leak per toggle
  // would show as hundreds of handles or megabytes over these counts.
  EXPECT_LE(end.handles, base.handles + 10);
  EXPECT_LE(end.privateBytes, base.privateBytes + 256 * 1024);
  EXPECT_LE(end.workingSet, base.workingSet + 1024 * 1024);

  // An even number of toggles from inactive: inactive again, and the record says so.
  EXPECT_EQ(toggles % 2 == 0 ? 4 : 3, driver.State());
  EXPECT_EQ(std::optional<DWORD>(driver.State() == 3 ? 1 : 0), robot::GetDword(kGeneral, "ActivateState"));
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
}

TEST_F(FaultSoakTest, ManyCommandLineStartsLeaveNothingBehind) {
  const int starts = FullSoak() ? 200 : 20;
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  // The test process hosts the driver: its handles show whether connections are left open.
  const Footprint hostBefore = Measure(GetCurrentProcess());
  SIZE_T firstPeak = 0, lastPeak = 0, maxPeak = 0;
  const auto start = Clock::now();
  for (int i = 0; i < starts; ++i) {
    const bool activate = i % 2 == 0;
    robot::Process p = robot::Start("Velmora.exe", activate ? "/ACT" : "/DEA");
    DWORD code = 99;
    ASSERT_TRUE(p.WaitForExit(20s, &code)) << "start " << i;
    EXPECT_EQ(0u, code) << "start " << i;
    EXPECT_EQ(activate ? 3 : 4, driver.State()) << "start " << i;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    // Wine sometimes has no counters left for a process that has ended: such starts are skipped.
    if (GetProcessMemoryInfo(p.Handle(), &counters, sizeof counters) && counters.PeakWorkingSetSize != 0) {
      if (firstPeak == 0) firstPeak = counters.PeakWorkingSetSize;
      lastPeak = counters.PeakWorkingSetSize;
      maxPeak = std::max(maxPeak, counters.PeakWorkingSetSize);
    }
  }
  const auto took = Clock::now() - start;
  const Footprint hostAfter = Measure(GetCurrentProcess());
  std::printf("[ soak ] %d starts in %lld ms (%lld ms each)\n[ soak ] peak working set of a start: first %zu KB, "
              "last %zu KB, highest %zu KB\n[ soak ] %s\n[ soak ] %s\n",
              starts, Millis(took), Millis(took) / starts, firstPeak / 1024, lastPeak / 1024, maxPeak / 1024,
              Describe("driver host before", hostBefore).c_str(), Describe("driver host after", hostAfter).c_str());
  EXPECT_LE(hostAfter.handles, hostBefore.handles + 10);
  EXPECT_LE(lastPeak, firstPeak + 1024 * 1024);
  EXPECT_EQ(starts % 2 == 0 ? 4 : 3, driver.State());
  EXPECT_EQ(std::optional<DWORD>(driver.State() == 3 ? 1 : 0), robot::GetDword(kGeneral, "ActivateState"));
}

}  // namespace
