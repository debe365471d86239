// The stand-in driver's pipe server under Wine: what its pipe grants, and that idle it sleeps.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/driver_channel.h"
#include "driver/win32/win32_driver_transport.h"
#include "framework/win32/handles.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/robot.h"

namespace velmora::sim {
namespace {

using namespace std::chrono_literals;
using robot::PipeAce;

constexpr DWORD kFullControl = 0x001F01FF;  // FILE_ALL_ACCESS
// Read (data, attributes, extended attributes, the descriptor), write data, write attributes,
// synchronize: no FILE_CREATE_PIPE_INSTANCE (0x4), no FILE_WRITE_EA, WRITE_DAC or DELETE.
constexpr DWORD kAuthenticatedUsers = 0x0012018B;

// What Windows would enforce, read back: the network logon denied ahead of every grant, then
// the system, the administrators, and authenticated users without the create-instance right.
// Nothing for Everyone (S-1-1-0) or anonymous logons (S-1-5-7).
const std::vector<PipeAce> kExpectedDacl = {
    {"S-1-5-2", false, kFullControl},       // NETWORK
    {"S-1-5-18", true, kFullControl},       // LocalSystem
    {"S-1-5-32-544", true, kFullControl},   // Administrators
    {"S-1-5-11", true, kAuthenticatedUsers},  // Authenticated Users
};

void ExpectDriverDacl(const char* path, const char* whose) {
  std::string sddl;
  const std::vector<PipeAce> dacl = robot::ReadPipeDacl(path, &sddl);
  EXPECT_EQ(kExpectedDacl, dacl) << whose << ": " << sddl;
  for (const PipeAce& ace : dacl) {
    EXPECT_NE("S-1-1-0", ace.sid) << whose;
    EXPECT_NE("S-1-5-7", ace.sid) << whose;
    if (ace.sid == "S-1-5-11") {
      EXPECT_EQ(0u, ace.mask & FILE_CREATE_PIPE_INSTANCE) << whose;
    }
  }
}

// Every instance carries the descriptor: the first, the one listening while a client holds it,
// and those of the stand-in program.
TEST(PipeServerTest, EveryInstanceCarriesTheDriversDacl) {
  {
    robot::FakeDriver driver;
    ASSERT_TRUE(driver.Serving());
    ExpectDriverDacl(kDriverPipePath, "first instance");
    // Held open, this client keeps its instance; the next listening one answers the next open.
    framework::UniqueFile held(CreateFileA(kDriverPipePath, FILE_READ_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held) << GetLastError();
    ASSERT_TRUE(robot::WaitUntil([] { return WaitNamedPipeA(kDriverPipePath, 0) != FALSE; }, 5s));
    ExpectDriverDacl(kDriverPipePath, "next instance");
  }
  robot::Process sim = robot::Start("vlifs95sim.exe", "");
  CWin32DriverTransport transport;
  CDriverChannel channel(transport);
  ASSERT_TRUE(robot::WaitUntil([&] { return channel.GetDriverState() != kStateMissing; }, 10s));
  ExpectDriverDacl(kDriverPipePath, "vlifs95sim.exe");
  sim.Kill();
}

ULONGLONG CpuTime100ns(HANDLE process) {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return ~0ULL;
  const auto value = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return value(kernel) + value(user);
}

// Idle, the server waits on its events only. Over 60 s the stand-in program's CPU time stays
// within one clock tick (the system's time increment: 15.625 ms, under Wine too). Under Wine a
// wake costs so little (some 30 us) that a 200 ms poll also stays within a tick a minute, so
// the tests' own server, idle over the same minute, must not wake at all: a poll would wake
// 300 times.
TEST(PipeServerTest, IdleServerNeitherWakesNorSpendsATick) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  constexpr char kOtherPipe[] = "\\\\.\\pipe\\VelmoraIdleStandIn";
  robot::Process sim = robot::Start("vlifs95sim.exe", std::string("--pipe ") + kOtherPipe);
  // Serve each once, so the accept loop, a connection's thread and its end have all been through.
  for (const char* pipe : {kDriverPipePath, kOtherPipe}) {
    CWin32DriverTransport transport(kDriverDevicePath, pipe);
    CDriverChannel channel(transport);
    ASSERT_TRUE(robot::WaitUntil([&] { return channel.GetDriverState() == 4; }, 10s)) << pipe;
  }
  Sleep(2000);  // the connections' threads see their clients gone and end

  DWORD increment = 0, adjustment = 0;
  BOOL disabled = FALSE;
  ASSERT_TRUE(GetSystemTimeAdjustment(&adjustment, &increment, &disabled));
  const unsigned long wakesBefore = driver.ServerWakes();
  const ULONGLONG cpuBefore = CpuTime100ns(sim.Handle());
  ASSERT_NE(~0ULL, cpuBefore);
  Sleep(60000);
  const ULONGLONG cpu = CpuTime100ns(sim.Handle()) - cpuBefore;
  const unsigned long wakes = driver.ServerWakes() - wakesBefore;
  std::printf("idle 60 s: cpu %llu x 100 ns (tick %lu), wake-ups %lu\n", cpu, increment, wakes);
  EXPECT_LE(cpu, increment);
  EXPECT_EQ(0u, wakes);
  EXPECT_GE(wakesBefore, 2u);  // the client, then its connection's end
  EXPECT_EQ(std::vector<int>{1}, driver.Requests());
  sim.Kill();
}

}  // namespace
}  // namespace velmora::sim
