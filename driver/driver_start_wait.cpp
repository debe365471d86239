#include "driver/driver_start_wait.h"

namespace velmora {

bool StoppedWithRecoverableFailure(const DriverServiceStatus& s) {
  if (s.state != kServiceStopped || s.exitCode == 0 || s.exitCode == kErrorServiceNeverStarted) return false;
  if (!s.recoveryRestarts) return false;
  return s.exitCode == kErrorProcessAborted || s.recoveryOnReportedErrors;
}

bool DriverServiceMayStillListen(const DriverServiceStatus& s) {
  if (!s.installed || s.disabled || !s.startedBySystem) return false;
  switch (s.state) {
    case kServiceStartPending:
    case kServiceContinuePending:
    case kServiceRunning:
      return true;
    case kServiceStopped:
      // The system reports 1077 until the first start of the boot and 0 after a clean stop.
      return s.exitCode == kErrorServiceNeverStarted || StoppedWithRecoverableFailure(s);
    default:
      return false;  // stopping, pausing, paused
  }
}

bool WaitForStartingDriver(DriverStartProbe& probe) {
  if (probe.DriverListens()) return true;
  DriverServiceStatus status = probe.QueryService();
  if (!DriverServiceMayStillListen(status)) return false;
  probe.WaitBegins();
  const std::uint64_t start = probe.NowMs();
  bool failed = false;
  std::uint64_t failedSince = 0;
  while (probe.NowMs() - start < kDriverStartLimitMs) {
    // A restart that has not come by its delay (a later failure the actions leave stopped, or
    // a system that does not carry them out) is not waited for to the limit.
    if (StoppedWithRecoverableFailure(status)) {
      if (!failed) failedSince = probe.NowMs();
      failed = true;
      if (probe.NowMs() - failedSince > std::uint64_t{status.recoveryDelayMs} + kDriverRestartGraceMs) return false;
    } else {
      failed = false;
    }
    if (!probe.Pause(kDriverStartLookMs)) return false;
    if (probe.DriverListens()) return true;
    status = probe.QueryService();
    if (!DriverServiceMayStillListen(status)) return false;
  }
  return probe.DriverListens();
}

}  // namespace velmora
