#include "app/store_failure_watch.h"

#include "common/error_codes.h"

namespace velmora {

bool IsStoreFailure(int code) {
  switch (code) {
    case kErrWriteBlockSize:
    case kErrWriteMaxSize:
    case kErrWriteRefreshTimer:
    case kErrWriteDefaultAgent:
    case kErrSaveClearCache:
      return true;
    default:
      return false;
  }
}

int StoreFailureWatch::ShowError(int code, unsigned flags, OwnerWindow owner) {
  m_bFailed = m_bFailed || IsStoreFailure(code);
  return m_shown.ShowError(code, flags, owner);
}

int StoreFailureWatch::ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner) {
  m_bFailed = m_bFailed || IsStoreFailure(code);
  return m_shown.ShowErrorWithArg(code, arg, flags, owner);
}

}  // namespace velmora
