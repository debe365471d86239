// The Win32 driver exchange over the pipe, against the tests' own driver and vlifs95sim.exe.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "driver/driver_channel.h"
#include "driver/win32/win32_driver_transport.h"
#include "framework/win32/handles.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/robot.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long long MillisSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

ExchangeBuffer Request(std::int32_t code) {
  ExchangeBuffer b{};
  b[0] = code;
  return b;
}

TEST(PipeTransportTest, NoDriverFailsAtOnce) {
  CWin32DriverTransport transport;
  ExchangeBuffer b = Request(1);
  const auto start = Clock::now();
  EXPECT_EQ(-1, transport.Exchange(b));
  EXPECT_LT(MillisSince(start), 1000);
}

TEST(PipeTransportTest, AnswerComesBackInPlace) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  CWin32DriverTransport transport;
  ExchangeBuffer b = Request(1);
  b[100] = 55;  // words the driver does not write keep what was sent (here: what the caller left)
  ASSERT_EQ(0, transport.Exchange(b));
  EXPECT_EQ(0, b[0]);
  EXPECT_EQ((std::vector<std::int32_t>{4, 5, 1, 370, 4}), (std::vector<std::int32_t>(b.begin() + 1, b.begin() + 6)));
  EXPECT_EQ(55, b[100]);
  EXPECT_EQ(std::vector<int>{1}, driver.Requests());
}

// The server listens again before it answers, so requests in quick succession all get through.
TEST(PipeTransportTest, QuickSuccessionNeverFindsThePipeMissing) {
  robot::FakeDriver driver;
  CWin32DriverTransport transport;
  CDriverChannel quick(transport);
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(i % 2, quick.IsActive()) << i;
    ASSERT_EQ(0, i % 2 ? quick.Deactivate() : quick.Activate()) << i;
  }
  EXPECT_EQ(80u, driver.Requests().size());
}

TEST(PipeTransportTest, StalledDriverFailsWithinTheLimitAndTheServerGoesOn) {
  velmora::sim::StandInSettings s;
  s.stallOn = {1};
  robot::FakeDriver driver(s);
  CWin32DriverTransport transport(kDriverDevicePath, kDriverPipePath, 1000ms);
  ExchangeBuffer b = Request(1);
  const auto start = Clock::now();
  EXPECT_EQ(kExchangeTimedOut, transport.Exchange(b));
  const long long took = MillisSince(start);
  EXPECT_GE(took, 900);
  EXPECT_LT(took, 3000);
  b = Request(2);
  EXPECT_EQ(0, transport.Exchange(b));
  EXPECT_EQ(0, b[0]);
}

TEST(PipeTransportTest, AnswerTooShortForAResultFails) {
  velmora::sim::StandInSettings s;
  s.shortReply = 3;
  robot::FakeDriver driver(s);
  CWin32DriverTransport transport;
  ExchangeBuffer b = Request(1);
  EXPECT_EQ(-1, transport.Exchange(b));
  driver.Update([](velmora::sim::StandInSettings& set) { set.shortReply = 4; });
  b = Request(1);
  b[5] = 9;
  EXPECT_EQ(0, transport.Exchange(b));
  EXPECT_EQ(9, b[5]);  // the driver wrote only the result word
}

TEST(PipeTransportTest, BusyPipeIsWaitedForWithinTheLimit) {
  // One instance, taken by another client: the pipe exists but is busy.
  framework::UniqueFile server(CreateNamedPipeA(kDriverPipePath, PIPE_ACCESS_DUPLEX,
                                                PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 6132, 6132,
                                                0, nullptr));
  ASSERT_TRUE(server);
  framework::UniqueFile other(CreateFileA(kDriverPipePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(other);
  CWin32DriverTransport transport(kDriverDevicePath, kDriverPipePath, 800ms);
  ExchangeBuffer b = Request(1);
  const auto start = Clock::now();
  EXPECT_EQ(kExchangeTimedOut, transport.Exchange(b));  // busy until the limit: not answered in time
  EXPECT_GE(MillisSince(start), 700);
  EXPECT_LT(MillisSince(start), 3000);
}

// A plain client, as a careless program would write one (waiting only while the pipe is busy).
framework::UniqueFile OpenPipe() {
  for (int i = 0; i < 50; ++i) {
    framework::UniqueFile pipe(CreateFileA(kDriverPipePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (pipe || GetLastError() != ERROR_PIPE_BUSY) return pipe;
    WaitNamedPipeA(kDriverPipePath, 100);
  }
  return {};
}

TEST(PipeTransportTest, ServerSurvivesClientsThatVanish) {
  robot::FakeDriver driver;
  for (int round = 0; round < 3; ++round) {
    {
      // Connects and goes without a word.
      framework::UniqueFile gone = OpenPipe();
      ASSERT_TRUE(gone);
    }
    {
      // Asks and goes before the answer is read (whether the request is carried out is up
      // to when the server reads it).
      framework::UniqueFile gone = OpenPipe();
      ASSERT_TRUE(gone);
      ExchangeBuffer b = Request(5);
      DWORD written = 0;
      ASSERT_TRUE(WriteFile(gone.get(), b.data(), 6132, &written, nullptr));
    }
  }
  CWin32DriverTransport transport;
  CDriverChannel channel(transport);
  EXPECT_EQ(0, channel.Activate());
  EXPECT_EQ(1, channel.IsActive());
}

// Records what each open asks for, and opens as the program does.
class CRecordingTransport : public CWin32DriverTransport {
 public:
  std::vector<DWORD> m_vecAccess;

 protected:
  HANDLE OpenPipe(const std::string& path, DWORD access, DWORD flags) override {
    m_vecAccess.push_back(access);
    return CWin32DriverTransport::OpenPipe(path, access, flags);
  }
};

// Windows grants an open only rights the DACL gives: every exchange asks for no more than the
// driver's pipe grants authenticated users (as read back from it), so a standard user gets
// through, and never for a generic right (GENERIC_WRITE carries the create-instance right).
TEST(PipeTransportTest, ExchangesAskOnlyForWhatThePipeGrantsAuthenticatedUsers) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  std::string sddl;
  DWORD granted = 0;
  for (const robot::PipeAce& ace : robot::ReadPipeDacl(kDriverPipePath, &sddl)) {
    if (ace.sid == "S-1-5-11" && ace.allowed) granted |= ace.mask;
  }
  ASSERT_NE(0u, granted) << sddl;
  ASSERT_EQ(0u, granted & FILE_CREATE_PIPE_INSTANCE) << sddl;

  CRecordingTransport transport;
  CDriverChannel channel(transport);
  DriverStatus status;
  EXPECT_EQ(0, channel.QueryStatus(&status));
  EXPECT_EQ(0, channel.Activate());
  EXPECT_EQ(0, channel.NotifySettingsChanged());
  EXPECT_EQ(0, channel.Deactivate());
  EXPECT_EQ((std::vector<int>{1, 2, 5, 3}), driver.Requests());
  ASSERT_GE(transport.m_vecAccess.size(), 4u);  // one open each, and one more for each busy pipe
  for (const DWORD access : transport.m_vecAccess) {
    EXPECT_EQ(0u, access & (GENERIC_ALL | GENERIC_WRITE | GENERIC_READ | GENERIC_EXECUTE | MAXIMUM_ALLOWED)) << access;
    EXPECT_EQ(0u, access & ~granted) << std::hex << access << " beyond " << sddl;
    // What the exchange needs: requests out, answers in, message read mode set.
    EXPECT_EQ(DWORD{FILE_READ_DATA | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES},
              access & (FILE_READ_DATA | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES));
  }
}

// Plays the installed driver service: running in the process given (0: stopped).
class CServiceTransport : public CWin32DriverTransport {
 public:
  explicit CServiceTransport(DWORD processId) : m_dwProcessId(processId) {}
  void SetProcess(DWORD processId) { m_dwProcessId = processId; }
  int m_nQueries = 0;

 protected:
  DriverServiceStatus QueryService() override {
    ++m_nQueries;
    DriverServiceStatus s;
    s.installed = true;
    s.state = m_dwProcessId ? kServiceRunning : kServiceStopped;
    s.processId = m_dwProcessId;
    return s;
  }

 private:
  DWORD m_dwProcessId;
};

// With the service installed, a pipe served from any other process (here: the tests' own, or
// none while the service is stopped) is no driver, and gets not even the status request; the
// service's own process is served as before.
TEST(PipeTransportTest, OnlyTheInstalledServicesProcessIsTalkedTo) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  for (const DWORD service : {DWORD{0}, GetCurrentProcessId() + 4}) {
    CServiceTransport transport(service);
    CDriverChannel channel(transport);
    EXPECT_EQ(kStateMissing, channel.GetDriverState()) << service;
    EXPECT_EQ(-1, channel.Activate()) << service;
  }
  EXPECT_TRUE(driver.Requests().empty());
  {
    framework::UniqueFile client = OpenPipe();
    ULONG server = 0;
    ASSERT_TRUE(GetNamedPipeServerProcessId(client.get(), &server)) << GetLastError();
    ASSERT_EQ(GetCurrentProcessId(), server);
  }
  CServiceTransport ours(GetCurrentProcessId());
  CDriverChannel channel(ours);
  EXPECT_EQ(0, channel.Activate());
  EXPECT_EQ(std::vector<int>{2}, driver.Requests());
}

// The manager is asked once for a run of exchanges with the process it named, and again at once
// where the server is not that process: a service that started since is talked to straight away.
TEST(PipeTransportTest, TheServicesAnswerServesARunOfExchangesAndIsAskedAgainForAnotherServer) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  CServiceTransport transport(0);
  CDriverChannel channel(transport);
  EXPECT_EQ(-1, channel.Activate());
  EXPECT_TRUE(driver.Requests().empty());
  transport.SetProcess(GetCurrentProcessId());
  EXPECT_EQ(0, channel.Activate());
  EXPECT_EQ(0, channel.Deactivate());
  EXPECT_EQ(2, transport.m_nQueries);
  EXPECT_EQ((std::vector<int>{2, 3}), driver.Requests());
}

TEST(PipeTransportTest, StandInDriverProgramServesThePipe) {
  robot::Process sim = robot::Start("vlifs95sim.exe", "--state 3 --version 4.5.1.371 --refuse 5=-2");
  CWin32DriverTransport transport;
  CDriverChannel channel(transport);
  ASSERT_TRUE(robot::WaitUntil([&] { return channel.GetDriverState() != kStateMissing; }, 10s));
  DriverStatus status;
  EXPECT_EQ(0, channel.QueryStatus(&status));
  EXPECT_EQ(371, status.versionBuild);
  EXPECT_EQ(3, status.state);
  EXPECT_EQ(-2, channel.NotifySettingsChanged());
  EXPECT_EQ(0, channel.Deactivate());
  EXPECT_EQ(0, channel.IsActive());
  ExchangeBuffer unknown = Request(4);
  ASSERT_EQ(0, channel.SendRequest(unknown));
  EXPECT_NE(0, unknown[0]);
  sim.Kill();
}

}  // namespace
}  // namespace velmora
