#include "driver/driver_start_wait.h"

namespace velmora {

bool DriverServiceMayStillListen(const DriverServiceStatus& s) {
  if (!s.installed || s.disabled) return false;
  switch (s.state) {
    case kServiceStartPending:
    case kServiceContinuePending:
    case kServiceRunning:
      return true;
    case kServiceStopped:
      // A clean stop reads as the state before the first start; only an error tells that the
      // service ran and failed (the recovery actions, if any, are the manager's business).
      return s.startedBySystem && (s.exitCode == 0 || s.exitCode == kErrorServiceNeverStarted);
    default:
      return false;  // stopping, pausing, paused
  }
}

bool WaitForStartingDriver(DriverStartProbe& probe) {
  if (probe.DriverListens()) return true;
  if (!DriverServiceMayStillListen(probe.QueryService())) return false;
  probe.WaitBegins();
  const std::uint64_t start = probe.NowMs();
  while (probe.NowMs() - start < kDriverStartLimitMs) {
    if (!probe.Pause(kDriverStartLookMs)) return false;
    if (probe.DriverListens()) return true;
    if (!DriverServiceMayStillListen(probe.QueryService())) return false;
  }
  return probe.DriverListens();
}

}  // namespace velmora
