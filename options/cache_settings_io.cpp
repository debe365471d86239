#include "options/cache_settings_io.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"

namespace velmora {
namespace {
constexpr unsigned kCacheBoxFlags = kMbTaskModal | kMbIconHand;
}

namespace {
// The policy's value where there is one, else what is stored.
std::int32_t ReadSetting(SettingsStore& settings, const char* name, const std::optional<std::uint32_t>& policy,
                         std::uint32_t* value) {
  if (!policy) return settings.ReadDword(kCacheKey, name, value);
  *value = *policy;
  return kErrorSuccess;
}
}  // namespace

CacheRead ReadCacheSettings(SettingsStore& settings, Prompts& prompts, const CachePolicy& policy) {
  CacheRead r{kShownCacheDefaults, kStoredBeforeRead, true, true, true, true};
  std::uint32_t value = 0;
  if (ReadSetting(settings, kBlockSizeValue, policy.blockSize, &value) != kErrorSuccess) {
    prompts.ShowError(kErrReadBlockSize, kCacheBoxFlags);
    r.allRead = r.blockSizeRead = false;
  } else {
    r.stored.blockSize = r.shown.blockSize = ShownFromStoredKilo(value);
  }
  if (ReadSetting(settings, kMaxSizeValue, policy.maxSize, &value) != kErrorSuccess) {
    prompts.ShowError(kErrReadMaxSize, kCacheBoxFlags);
    r.allRead = r.maxSizeRead = false;
  } else {
    r.stored.maxSize = r.shown.maxSize = ShownFromStoredKilo(value);
  }
  if (ReadSetting(settings, kRefreshTimerValue, policy.refreshTimer, &value) != kErrorSuccess) {
    prompts.ShowError(kErrReadRefreshTimer, kCacheBoxFlags);
    r.allRead = r.refreshTimerRead = false;
  } else {
    SplitRefreshTimer(value, &r.shown.hours, &r.shown.minutes, &r.shown.seconds);
    r.stored.hours = r.shown.hours;
    r.stored.minutes = r.shown.minutes;
    r.stored.seconds = r.shown.seconds;
  }
  return r;
}

void WriteCacheSettings(SettingsStore& settings, Prompts& prompts, const CacheFields& shown, const CacheFields& stored) {
  if (BlockSizeChanged(shown, stored) &&
      settings.WriteDword(kCacheKey, kBlockSizeValue, StoredFromShownKilo(shown.blockSize)) != kErrorSuccess) {
    prompts.ShowError(kErrWriteBlockSize, kCacheBoxFlags);
  }
  if (MaxSizeChanged(shown, stored) &&
      settings.WriteDword(kCacheKey, kMaxSizeValue, StoredFromShownKilo(shown.maxSize)) != kErrorSuccess) {
    prompts.ShowError(kErrWriteMaxSize, kCacheBoxFlags);
  }
  if (RefreshTimerChanged(shown, stored) &&
      settings.WriteDword(kCacheKey, kRefreshTimerValue,
                          StoredRefreshTimer(shown.hours, shown.minutes, shown.seconds)) != kErrorSuccess) {
    prompts.ShowError(kErrWriteRefreshTimer, kCacheBoxFlags);
  }
}

}  // namespace velmora
