#include "options/clear_cache.h"

#include <string>

#include "common/error_codes.h"
#include "common/registry_names.h"
#include "resource.h"

namespace velmora {
namespace {
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr unsigned kOkCancelExclamation = 0x31;    // MB_OKCANCEL | MB_ICONEXCLAMATION
constexpr unsigned kYesNoQuestionTask = 0x2024;    // MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO
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
