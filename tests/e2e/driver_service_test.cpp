// The driver as an installed service: only its own process is talked to, however many clients
// hold its pipe. Each test installs the service "vlifs95sim" in this prefix and removes it again.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver_channel.h"
#include "driver/win32/driver_service_query.h"
#include "driver/win32/win32_driver_transport.h"
#include "framework/win32/handles.h"
#include "tests/e2e/driver_support.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using robot::keys::kGeneral;
using Service = framework::UniqueServiceHandle;

constexpr char kService[] = "vlifs95sim";
// The service's threads: its main thread, the one the manager runs it on, the serving thread and
// the one that passes a stop to it, with room for what the system adds to a process.
constexpr std::size_t kThreadBound = 8;

std::size_t ThreadCount(DWORD pid) {
  framework::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  std::size_t count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == pid) ++count;
  }
  return count;
}

struct Outcome {
  std::vector<int> errors;
  DWORD exitCode = 99;
};

Outcome RunToEnd(const std::string& args) {
  robot::Process p = robot::Start("Velmora.exe", args);
  Outcome run;
  std::vector<robot::MessageBoxSeen> seen;
  e2e::AnswerBoxes(p, &seen, 20s, false);
  EXPECT_TRUE(p.WaitForExit(1s, &run.exitCode)) << args << ": still running";
  run.errors = e2e::ErrorCodes(seen);
  return run;
}

class DriverServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    m_manager.reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    ASSERT_TRUE(m_manager);
    const std::string command = "\"" + robot::ProgramDir() + "\\vlifs95sim.exe\" --service";
    m_service.reset(CreateServiceA(m_manager.get(), kService, kService, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                   SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr,
                                   nullptr, nullptr, nullptr));
    ASSERT_TRUE(m_service) << GetLastError();
  }

  void TearDown() override {
    if (!m_service) return;
    SERVICE_STATUS status{};
    ControlService(m_service.get(), SERVICE_CONTROL_STOP, &status);
    EXPECT_TRUE(robot::WaitUntil([] { return velmora::QueryDriverService().state == velmora::kServiceStopped; }, 10s));
    DeleteService(m_service.get());
  }

  bool StartAndWaitFor(std::uint32_t state) {
    if (!StartServiceA(m_service.get(), 0, nullptr)) return false;
    return robot::WaitUntil([state] { return velmora::QueryDriverService().state == state; }, 10s);
  }

  Service m_manager;
  Service m_service;
};

// A program of the tests' own serving the driver's pipe while the service is stopped (as any
// user could) is no driver: not even the status request reaches it. Started while that program
// holds the name, the service keeps trying and serves once the name is free.
TEST_F(DriverServiceTest, AnotherServerOfThePipeIsNoDriverAndTheServiceWaitsForItsName) {
  std::optional<robot::FakeDriver> squatter;
  squatter.emplace();
  ASSERT_TRUE(squatter->Serving());
  const Outcome run = RunToEnd("/ACT /NOB");
  EXPECT_EQ((std::vector<int>{20014, 20014}), run.errors);  // as with no driver at all
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_TRUE(squatter->Requests().empty());
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));

  ASSERT_TRUE(StartServiceA(m_service.get(), 0, nullptr)) << GetLastError();
  Sleep(3000);
  EXPECT_EQ(velmora::kServiceStartPending, velmora::QueryDriverService().state) << "gave up on a held name";
  squatter.reset();
  EXPECT_TRUE(robot::WaitUntil([] { return velmora::QueryDriverService().state == velmora::kServiceRunning; }, 5s));
  const Outcome served = RunToEnd("/ACT /NOB");
  EXPECT_TRUE(served.errors.empty());
  EXPECT_EQ(0u, served.exitCode);
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
}

// A hundred connections held open and silent take no thread each and keep nobody out: the
// program's toggle gets through at once, the service records the state itself, and the silent
// clients are dropped after a few seconds.
TEST_F(DriverServiceTest, AHundredIdleConnectionsKeepNobodyOut) {
  ASSERT_TRUE(StartAndWaitFor(velmora::kServiceRunning));
  const DWORD pid = velmora::QueryDriverService().processId;
  ASSERT_NE(0u, pid);
  const std::size_t threadsIdle = ThreadCount(pid);
  EXPECT_LE(threadsIdle, kThreadBound);

  std::vector<framework::UniqueFile> held;
  for (int i = 0; i < 100; ++i) {
    framework::UniqueFile pipe;
    robot::WaitUntil([&] {
      pipe.reset(CreateFileA(velmora::kDriverPipePath, velmora::kDriverPipeAccess, 0, nullptr, OPEN_EXISTING, 0,
                             nullptr));
      return static_cast<bool>(pipe);
    }, 2s);
    ASSERT_TRUE(pipe) << i << ": " << GetLastError();
    held.push_back(std::move(pipe));
  }
  const auto heldSince = Clock::now();
  const std::size_t holding = ThreadCount(pid);
  EXPECT_LE(holding, kThreadBound);
  EXPECT_EQ(threadsIdle, holding);

  const Outcome run = RunToEnd("/ACT /NOB");
  const auto took = Clock::now() - heldSince;
  EXPECT_TRUE(run.errors.empty());
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_LT(took, 5s);
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_LE(ThreadCount(pid), kThreadBound);

  // The service records what it accepts, whoever asked (here: the test itself, not the program).
  velmora::CWin32DriverTransport transport;
  velmora::CDriverChannel channel(transport);
  EXPECT_EQ(0, channel.Deactivate());
  EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));

  // Every silent client is dropped after a few seconds: its pipe is broken.
  const auto silentGone = [&held] {
    for (const framework::UniqueFile& pipe : held) {
      if (PeekNamedPipe(pipe.get(), nullptr, 0, nullptr, nullptr, nullptr) || GetLastError() != ERROR_BROKEN_PIPE) {
        return false;
      }
    }
    return true;
  };
  EXPECT_FALSE(silentGone());
  ASSERT_TRUE(robot::WaitUntil(silentGone, 10s));
  const auto dropped = Clock::now() - heldSince;
  EXPECT_LT(dropped, 8s);
  const auto ms = [](Clock::duration d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); };
  std::printf("threads idle %zu, holding 100 %zu; toggle done %lld ms after; silent dropped %lld ms after\n",
              threadsIdle, holding, ms(took), ms(dropped));
  EXPECT_LE(ThreadCount(pid), kThreadBound);
}

}  // namespace
