#include "options/cache_policy.h"

#include <algorithm>
#include <iterator>

#include "common/registry_names.h"
#include "options/cache_units.h"

namespace velmora {
namespace {

std::optional<std::uint32_t> ReadPolicyValue(SettingsStore& settings, const char* name, CacheSetting setting) {
  std::uint32_t value = 0;
  if (settings.ReadDword(kCachePolicyKey, name, &value) != kErrorSuccess) return std::nullopt;
  if (!IsStorableCacheValue(setting, value)) return std::nullopt;
  return value;
}

}  // namespace

bool IsStorableCacheValue(CacheSetting setting, std::uint32_t stored) {
  switch (setting) {
    case CacheSetting::kBlockSize:
      return std::any_of(std::begin(kBlockSizeChoices), std::end(kBlockSizeChoices),
                         [stored](std::int32_t choice) { return stored == StoredFromShownKilo(choice); });
    case CacheSetting::kMaxSize:
      return stored >= StoredFromShownKilo(kMaxSizeSpinRange.min) && stored <= StoredFromShownKilo(kMaxSizeSpinRange.max);
    case CacheSetting::kRefreshTimer:
      return stored <= StoredRefreshTimer(kHoursSpinRange.max, kMinutesSpinRange.max, kSecondsSpinRange.max);
  }
  return false;
}

CachePolicy ReadCachePolicy(SettingsStore& settings) {
  return {ReadPolicyValue(settings, kBlockSizeValue, CacheSetting::kBlockSize),
          ReadPolicyValue(settings, kMaxSizeValue, CacheSetting::kMaxSize),
          ReadPolicyValue(settings, kRefreshTimerValue, CacheSetting::kRefreshTimer)};
}

SettingOwner DecideSettingOwner(bool setByPolicy, bool userMayChange) {
  if (setByPolicy) return SettingOwner::kPolicy;  // elevation would not change it either
  return userMayChange ? SettingOwner::kUser : SettingOwner::kAdministrator;
}

CachePageControl DecideCachePageControl(const CachePolicy& policy, bool userMayChange) {
  CachePageControl c{};
  c.blockSize = DecideSettingOwner(policy.blockSize.has_value(), userMayChange);
  c.maxSize = DecideSettingOwner(policy.maxSize.has_value(), userMayChange);
  c.refreshTimer = DecideSettingOwner(policy.refreshTimer.has_value(), userMayChange);
  c.clearCacheEnabled = userMayChange;
  c.offerElevation = !userMayChange;
  if (!userMayChange) {
    c.notice = CacheNotice::kAdministratorOnly;
  } else {
    c.notice = policy.Any() ? CacheNotice::kManaged : CacheNotice::kNone;
  }
  return c;
}

}  // namespace velmora
