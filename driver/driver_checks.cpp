#include "driver/driver_checks.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "resource.h"

namespace velmora {

int CheckDriverVersion(CDriverChannel& driver, DriverStatus* status) {
  if (driver.QueryStatus(status) != 0) {
    status->versionMajor = status->versionMinor = status->versionRevision = status->versionBuild = 0;
    return 0;
  }
  return status->versionMajor == VELMORA_VERSION_MAJOR && status->versionMinor == VELMORA_VERSION_MINOR &&
                 status->versionRevision == VELMORA_VERSION_RELEASE && status->versionBuild == VELMORA_VERSION_BUILD
             ? 1
             : 0;
}

int ErrorForDriverState(int state) {
  switch (state) {
    case kStateDisabled: return kErrDisabled;
    case kStateUnknown: return kErrUnknownState;
    case kStateInitFailed: return kErrInitFailed;
    case kStateInitCacheFailed: return kErrInitCacheFailed;
    case kStateInitDiskSpace: return kErrInitDiskSpace;
    case kStateMissing: return kErrDriverMissing;
    default: return 0;
  }
}

void ReportDriverStatus(CDriverChannel& driver, Prompts& prompts) {
  const int error = ErrorForDriverState(driver.GetDriverState());
  if (error != 0) prompts.ShowError(error, kMbIconHand);
}

void CheckDriverAtStartup(CDriverChannel& driver, Prompts& prompts) {
  if (driver.IsDriverUsable()) {
    DriverStatus status;
    if (!CheckDriverVersion(driver, &status)) prompts.ShowError(kErrWrongDriverVersion, kMbIconHand);
  } else {
    ReportDriverStatus(driver, prompts);
  }
}

}  // namespace velmora
