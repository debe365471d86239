// At log-on the system starts the driver's service while the log-on entry already runs
// "/AUT": a driver that is still starting is waited for, one that will not come is not.
#pragma once
#include <cstdint>

#include "common/registry_names.h"
#include "common/windows_errors.h"

namespace velmora {

// A service's state and exit code as the service control manager numbers them.
constexpr std::uint32_t kServiceStopped = 1;
constexpr std::uint32_t kServiceStartPending = 2;
constexpr std::uint32_t kServiceRunning = 4;
constexpr std::uint32_t kServiceContinuePending = 5;

struct DriverServiceStatus {
  bool installed = false;
  bool disabled = false;
  bool startedBySystem = false;  // an automatic start (at boot or, delayed, after it)
  std::uint32_t state = kServiceStopped;
  std::uint32_t exitCode = 0;
  std::uint32_t processId = 0;  // the service's process while it starts or runs; else 0
  // The recovery actions, read only for a service stopped with an error: whether one of them
  // restarts it and the longest delay before such a restart; whether they also follow a stop
  // the service reported with an error (by default only a crash, 1067, is a failure).
  bool recoveryRestarts = false;
  std::uint32_t recoveryDelayMs = 0;
  bool recoveryOnReportedErrors = false;
};

// True when a stopped service's exit code means a failure its recovery actions act on.
bool StoppedWithRecoverableFailure(const DriverServiceStatus& status);

// True while the automatic service may still bring the driver: starting or running (its
// channel about to listen), not started since boot (1077), or stopped by a failure its recovery
// actions will restart. A clean stop (0), a disabled, manual-start or missing service, or one
// stopping or paused: it will not come.
bool DriverServiceMayStillListen(const DriverServiceStatus& status);

// How a waiting start looks for the driver, and for how long in all.
constexpr std::uint32_t kDriverStartLookMs = 300;
constexpr std::uint32_t kDriverStartLimitMs = 30000;
// A failed service is waited for no longer than its restart's delay and this grace after the
// first look that found it stopped.
constexpr std::uint32_t kDriverRestartGraceMs = 2000;

class DriverStartProbe {
 public:
  virtual ~DriverStartProbe() = default;
  // The driver's device or its channel's pipe exists.
  virtual bool DriverListens() = 0;
  virtual DriverServiceStatus QueryService() = 0;
  // The wait begins (the start-up picture may show meanwhile).
  virtual void WaitBegins() = 0;
  // Lets time pass with the user interface alive; false when the program is asked to end.
  virtual bool Pause(std::uint32_t ms) = 0;
  // A steady clock in milliseconds.
  virtual std::uint64_t NowMs() = 0;
};

// Waits while the driver does not listen yet but its service may still bring it, up to the
// limit. True when the driver listens at the end.
bool WaitForStartingDriver(DriverStartProbe& probe);

}  // namespace velmora
