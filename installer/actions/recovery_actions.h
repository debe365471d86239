// What the package asks of the system for the stand-in driver's service when it fails: restart
// it after 5 s, twice, then leave it stopped; the failure count starts again after a day. The
// service-configuration call is a port, so the decision and the tolerance of a refusal are
// tested natively.
#pragma once
#include <string>
#include <vector>

namespace velmora::setup {

struct FailureAction {
  bool restart;             // false: nothing (the service stays stopped)
  unsigned long delayMs;    // before the restart
};

struct RecoveryPlan {
  unsigned long resetPeriodSeconds;  // a day without failures counts from the first action again
  std::vector<FailureAction> actions;  // the first failure's, the second's, every later one's
};

RecoveryPlan StandInRecoveryPlan();

// The system's service configuration (ChangeServiceConfig2, SERVICE_CONFIG_FAILURE_ACTIONS).
class ServiceConfigPort {
 public:
  virtual ~ServiceConfigPort() = default;
  // Returns the Win32 error, 0 when the plan was accepted.
  virtual unsigned long SetFailureActions(const std::string& service, const RecoveryPlan& plan) = 0;
};

// Sets the stand-in's recovery actions and returns the install log's line about it. A refusal
// (a system that does not keep them, a service not installed) never fails the install: the
// service runs without them, and the line says so with the error.
std::string SetStandInRecoveryActions(ServiceConfigPort& config);

}  // namespace velmora::setup
