#include "installer/actions/recovery_actions.h"

#include "common/registry_names.h"

namespace velmora::setup {

RecoveryPlan StandInRecoveryPlan() {
  constexpr unsigned long kDay = 24 * 60 * 60;
  return {kDay, {{true, 5000}, {true, 5000}, {false, 0}}};
}

std::string SetStandInRecoveryActions(ServiceConfigPort& config) {
  const std::string what = std::string("recovery actions of the service ") + kDriverServiceName +
                           " (restart after 5 s twice, then none; failure count reset after a day)";
  const unsigned long error = config.SetFailureActions(kDriverServiceName, StandInRecoveryPlan());
  if (error == 0) return "Velmora: set the " + what + ".";
  return "Velmora: the system refused the " + what + " with error " + std::to_string(error) +
         "; the service runs without them.";
}

}  // namespace velmora::setup
