// The catalogue of error codes. Each code is also the identifier of its text in the string
// table; the number shown to the user is the code minus 20000.
#pragma once

namespace velmora {

enum ErrorCode : int {
  kErrReadBlockSize = 20002,
  kErrReadMaxSize = 20003,
  kErrReadRefreshTimer = 20004,
  kErrWriteBlockSize = 20005,
  kErrWriteMaxSize = 20006,
  kErrWriteRefreshTimer = 20007,
  kErrWriteDefaultAgent = 20009,
  kErrActivationBase = 20010,  // activation result r is reported as 20010 - r
  kErrInitFailed = 20011,
  kErrInitCacheFailed = 20012,
  kErrInitDiskSpace = 20013,
  kErrDriverMissing = 20014,
  kErrNoExecutionPath = 20015,
  kErrCannotExecute = 20016,
  kErrSaveActivateState = 20017,
  kErrSaveClearCache = 20018,
  kErrCannotRestart = 20019,
  kErrDisabled = 20020,
  kErrUnknownState = 20021,
  kErrCannotCommunicate = 20022,
  kErrInstallerMissing = 20025,
  kErrWrongDriverVersion = 20026,
  kMsgConfirmClearCache = 20027,
};

}  // namespace velmora
