#include "driver/activation.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "driver/driver_checks.h"

namespace velmora {

int ErrorForActivationResult(int result) {
  if (result >= -4 && result <= -1) return kErrActivationBase - result;
  return kErrUnknownState;
}

int SetActivation(CDriverChannel& driver, SettingsStore& settings, Prompts& prompts, int requested) {
  if (!driver.IsDriverUsable()) {
    ReportDriverStatus(driver, prompts);
    return -1;
  }
  DriverStatus status;
  if (!CheckDriverVersion(driver, &status)) {
    prompts.ShowError(kErrWrongDriverVersion, kMbIconHand);
    return -1;
  }
  const int present = driver.IsActive();
  if (present == requested) return 0;

  const int result = present == 1 ? driver.Deactivate() : driver.Activate();
  const std::uint32_t newState = present == 1 ? 0 : 1;
  if (result != 0) {
    prompts.ShowError(ErrorForActivationResult(result), kMbIconHand);
    return result;
  }
  // The driver's service records the change itself (a standard user may not write the machine's
  // key); the program writes only where no driver did. The driver has changed state either way:
  // a failed record is reported but does not undo that.
  std::uint32_t stored = 0;
  if (settings.ReadDword(kGeneralKey, kActivateStateValue, &stored) == kErrorSuccess && stored == newState) return 0;
  if (settings.WriteDword(kGeneralKey, kActivateStateValue, newState) != kErrorSuccess) {
    prompts.ShowError(kErrSaveActivateState, kMbIconHand);
  }
  return 0;
}

}  // namespace velmora
