#include <gtest/gtest.h>

#include <vector>

#include "driver/driver_start_wait.h"

namespace velmora {
namespace {

DriverServiceStatus Service(std::uint32_t state, std::uint32_t exitCode = 0, bool automatic = true) {
  DriverServiceStatus s;
  s.installed = true;
  s.startedBySystem = automatic;
  s.state = state;
  s.exitCode = exitCode;
  return s;
}

DriverServiceStatus WithRecovery(DriverServiceStatus s, bool restarts, bool onReportedErrors = false) {
  s.recoveryRestarts = restarts;
  s.recoveryDelayMs = 5000;
  s.recoveryOnReportedErrors = onReportedErrors;
  return s;
}

TEST(DriverStartWaitTest, OnlyAServiceThatMayStillBringTheDriverIsWaitedFor) {
  DriverServiceStatus disabled = Service(kServiceStopped, kErrorServiceNeverStarted);
  disabled.disabled = true;
  const bool manual = false;
  const struct {
    const char* what;
    DriverServiceStatus status;
    bool waits;
  } rows[] = {
      {"not installed", DriverServiceStatus{}, false},
      {"disabled", disabled, false},
      {"starting", Service(kServiceStartPending), true},
      {"continuing", Service(kServiceContinuePending), true},
      {"running, its channel about to listen", Service(kServiceRunning), true},
      {"not started since boot", Service(kServiceStopped, kErrorServiceNeverStarted), true},
      {"stopped cleanly (an administrator's stop)", Service(kServiceStopped, 0), false},
      {"stopped cleanly, with recovery actions", WithRecovery(Service(kServiceStopped, 0), true, true), false},
      {"crashed, recovery restarts it", WithRecovery(Service(kServiceStopped, 1067), true), true},
      {"crashed, no recovery actions", Service(kServiceStopped, 1067), false},
      {"crashed, recovery actions that do not restart", WithRecovery(Service(kServiceStopped, 1067), false), false},
      {"reported an error, actions for crashes only", WithRecovery(Service(kServiceStopped, 5), true), false},
      {"reported an error, actions for reported errors too", WithRecovery(Service(kServiceStopped, 1066), true, true), true},
      {"manual start, not started since boot", Service(kServiceStopped, kErrorServiceNeverStarted, manual), false},
      {"manual start, starting", Service(kServiceStartPending, 0, manual), false},
      {"manual start, crashed with recovery", WithRecovery(Service(kServiceStopped, 1067, manual), true), false},
      {"stopping", Service(3), false},
      {"paused", Service(7), false},
  };
  for (const auto& r : rows) EXPECT_EQ(r.waits, DriverServiceMayStillListen(r.status)) << r.what;
}

// A scripted machine: the driver listens from a given look on, the service changes at another.
class ScriptedStart : public DriverStartProbe {
 public:
  bool DriverListens() override { return listensFrom >= 0 && looks >= listensFrom; }
  DriverServiceStatus QueryService() override {
    ++queries;
    if (restartingFrom >= 0 && looks < restartingFrom) return WithRecovery(Service(kServiceStopped, 1067), true);
    return failsFrom >= 0 && looks >= failsFrom ? Service(kServiceStopped, 1067) : Service(kServiceStartPending);
  }
  void WaitBegins() override { ++waitsBegun; }
  bool Pause(std::uint32_t ms) override {
    pauses.push_back(ms);
    now += ms + 20;  // each look costs a little too
    ++looks;
    return true;
  }
  std::uint64_t NowMs() override { return now; }

  int listensFrom = -1;  // never
  int failsFrom = -1;    // never
  int restartingFrom = -1;  // crashed, its recovery restarts it from this look on
  int looks = 0;
  int queries = 0;
  int waitsBegun = 0;
  std::uint64_t now = 1000;
  std::vector<std::uint32_t> pauses;
};

TEST(DriverStartWaitTest, WaitsForAStartingDriverWithinTheLimitAndStopsAtOnceWhenItFails) {
  ScriptedStart present;
  present.listensFrom = 0;
  EXPECT_TRUE(WaitForStartingDriver(present));
  EXPECT_EQ(0, present.waitsBegun) << "a listening driver costs no wait and no question to the manager";
  EXPECT_EQ(0, present.queries);

  ScriptedStart late;
  late.listensFrom = 10;  // about 3 s
  EXPECT_TRUE(WaitForStartingDriver(late));
  EXPECT_EQ(1, late.waitsBegun);
  EXPECT_EQ(10, late.looks);
  for (std::uint32_t ms : late.pauses) EXPECT_TRUE(ms >= 250 && ms <= 500) << ms;

  ScriptedStart failed;
  failed.failsFrom = 2;
  EXPECT_FALSE(WaitForStartingDriver(failed));
  EXPECT_EQ(2, failed.looks) << "the failed start ends the wait at the next look";

  // Crashed: the recovery's restart (5 s) is waited for, a restart that never comes not to the limit.
  ScriptedStart restarted;
  restarted.restartingFrom = 16;
  restarted.listensFrom = 20;
  EXPECT_TRUE(WaitForStartingDriver(restarted));
  ScriptedStart notRestarted;
  notRestarted.restartingFrom = 1000;
  EXPECT_FALSE(WaitForStartingDriver(notRestarted));
  EXPECT_GE(notRestarted.now - 1000, 5000u + kDriverRestartGraceMs);
  EXPECT_LT(notRestarted.now - 1000, 5000u + kDriverRestartGraceMs + kDriverStartLookMs + 20);

  ScriptedStart never;
  EXPECT_FALSE(WaitForStartingDriver(never));
  EXPECT_GE(never.now - 1000, kDriverStartLimitMs);
  EXPECT_LT(never.now - 1000, kDriverStartLimitMs + kDriverStartLookMs + 20) << "no longer than the limit";
}

}  // namespace
}  // namespace velmora
