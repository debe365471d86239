#include "options/clear_cache.h"

#include <string>

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "resource.h"

namespace velmora {
namespace {
constexpr unsigned kOkCancelExclamation = kMbOkCancel | kMbIconExclamation;
constexpr unsigned kYesNoQuestionTask = kMbTaskModal | kMbIconQuestion | kMbYesNo;
constexpr char kClearCacheMark[] = "YES";
}  // namespace

ClearCacheOutcome ClearCache(SettingsStore& settings, Prompts& prompts, SystemPort& system) {
  if (prompts.ShowMessage(kMsgConfirmClearCache, kOkCancelExclamation) != kIdOk) return ClearCacheOutcome::kDeclined;
  if (settings.WriteString(kCacheKey, kClearCacheValue, kClearCacheMark, sizeof kClearCacheMark) != kErrorSuccess) {
    prompts.ShowError(kErrSaveClearCache, kMbTaskModal | kMbIconHand);
    return ClearCacheOutcome::kMarkFailed;
  }
  if (prompts.ShowMessage(IDS_RESTART_TO_CLEAR, kYesNoQuestionTask) != kIdYes) return ClearCacheOutcome::kMarkedLater;
  if (system.RestartWindows()) return ClearCacheOutcome::kRestarting;
  prompts.ShowErrorWithArg(kErrCannotRestart, std::to_string(system.LastError()), kMbTaskModal | kMbIconHand);
  return ClearCacheOutcome::kRestartFailed;
}

}  // namespace velmora
