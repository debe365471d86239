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
};

// True while the service may still bring the driver: starting, running (its channel about to
// listen), or an automatic one that has not failed yet (never started, or stopped cleanly).
// Not installed, disabled, stopping, or stopped with an error after running: it will not come.
bool DriverServiceMayStillListen(const DriverServiceStatus& status);

// How a waiting start looks for the driver, and for how long in all.
constexpr std::uint32_t kDriverStartLookMs = 300;
constexpr std::uint32_t kDriverStartLimitMs = 30000;

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
