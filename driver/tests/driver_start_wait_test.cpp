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

TEST(DriverStartWaitTest, OnlyAServiceThatMayStillBringTheDriverIsWaitedFor) {
  DriverServiceStatus disabled = Service(kServiceStopped, kErrorServiceNeverStarted);
  disabled.disabled = true;
  const struct {
    const char* what;
    DriverServiceStatus status;
    bool waits;
  } rows[] = {
      {"not installed", DriverServiceStatus{}, false},
      {"disabled", disabled, false},
      {"starting", Service(kServiceStartPending), true},
      {"running, its channel about to listen", Service(kServiceRunning), true},
      {"automatic, not started yet", Service(kServiceStopped, kErrorServiceNeverStarted), true},
      {"automatic, stopped cleanly", Service(kServiceStopped, 0), true},
      {"stopped with an error after running", Service(kServiceStopped, 5), false},
      {"started by hand only, not running", Service(kServiceStopped, kErrorServiceNeverStarted, false), false},
      {"stopping", Service(3), false},
  };
  for (const auto& r : rows) EXPECT_EQ(r.waits, DriverServiceMayStillListen(r.status)) << r.what;
}

// A scripted machine: the driver listens from a given look on, the service changes at another.
class ScriptedStart : public DriverStartProbe {
 public:
  bool DriverListens() override { return listensFrom >= 0 && looks >= listensFrom; }
  DriverServiceStatus QueryService() override {
    ++queries;
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

  ScriptedStart never;
  EXPECT_FALSE(WaitForStartingDriver(never));
  EXPECT_GE(never.now - 1000, kDriverStartLimitMs);
  EXPECT_LT(never.now - 1000, kDriverStartLimitMs + kDriverStartLookMs + 20) << "no longer than the limit";
}

}  // namespace
}  // namespace velmora
