// Who decides each of the Cache page's settings: an administrator's policy, this user, or only
// an administrator (this user may read but not change the settings), and what the page then
// offers. Policy values are read from kCachePolicyKey; one that is missing, not a REG_DWORD or
// not a value the page could have stored is no policy at all, and never an error box.
#pragma once
#include <cstdint>
#include <optional>

#include "common/settings_store.h"

namespace velmora {

// The policy values in force, in stored units (bytes, kilobytes, seconds).
struct CachePolicy {
  std::optional<std::uint32_t> blockSize;
  std::optional<std::uint32_t> maxSize;
  std::optional<std::uint32_t> refreshTimer;
  bool Any() const { return blockSize || maxSize || refreshTimer; }
};

enum class CacheSetting { kBlockSize, kMaxSize, kRefreshTimer };

// A value in stored units that the page could have stored: the block size as one of its three
// choices, the others within their spins' ranges.
bool IsStorableCacheValue(CacheSetting setting, std::uint32_t stored);

// Reads the three policy values; unusable ones are left out.
CachePolicy ReadCachePolicy(SettingsStore& settings);

enum class SettingOwner {
  kUser,           // this user changes it, as the page always did
  kPolicy,         // shows the policy's value, locked; never written
  kAdministrator,  // shows the stored value read-only; an elevated sheet may change it
};
SettingOwner DecideSettingOwner(bool setByPolicy, bool userMayChange);

// The line under the fields.
enum class CacheNotice { kNone, kManaged, kAdministratorOnly };

struct CachePageControl {
  SettingOwner blockSize;
  SettingOwner maxSize;
  SettingOwner refreshTimer;
  bool clearCacheEnabled;     // the mark is a setting too
  bool offerElevation;        // "Change settings..." with the shield
  CacheNotice notice;
  // True when the page looks and acts exactly as for a user who may change everything.
  bool Unrestricted() const { return notice == CacheNotice::kNone; }
};
CachePageControl DecideCachePageControl(const CachePolicy& policy, bool userMayChange);

}  // namespace velmora
