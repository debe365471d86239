// What the stand-in keeps across restarts, as the real driver does: the cache state recorded by
// the program ("ActivateState"), the once-only "ClearCache" mark, and the cache settings it
// takes at start and on every settings-changed request. Portable: the registry is reached
// through DriverRegistry, so the decisions are tested natively.
#pragma once
#include <cstdint>
#include <string>

#include "common/registry_names.h"

namespace velmora::sim {

// One registry value as read: missing, a DWORD, a string, or of another type.
struct StoredValue {
  enum class Kind { Missing, Dword, String, Other };
  Kind kind = Kind::Missing;
  std::uint32_t dword = 0;
  std::string text;  // a string value without its terminating zero
};

class DriverRegistry {
 public:
  virtual ~DriverRegistry() = default;
  virtual StoredValue Read(const std::string& key, const std::string& name) = 0;
  virtual bool Delete(const std::string& key, const std::string& name) = 0;
  virtual bool WriteDword(const std::string& key, const std::string& name, std::uint32_t value) = 0;
};

// The settings the driver works with; the defaults are the program's.
struct CacheSettings {
  std::int32_t blockSize = 2048;     // bytes: 1024, 2048 or 4096
  std::int32_t maxSize = 20480;      // kilobytes: 16 MB to 19999 MB
  std::int32_t refreshTimer = 600;   // seconds: 0 to 999 h 59 min 59 s
  bool operator==(const CacheSettings& o) const {
    return blockSize == o.blockSize && maxSize == o.maxSize && refreshTimer == o.refreshTimer;
  }
};

// Bits of CacheSettingsRead::rejected: the settings that could not be taken.
constexpr std::uint32_t kRejectedBlockSize = 1;
constexpr std::uint32_t kRejectedMaxSize = 2;
constexpr std::uint32_t kRejectedRefreshTimer = 4;
// The answer to a settings-changed request when a value could not be taken.
constexpr std::int32_t kSettingsUnusableResult = 2;

struct CacheSettingsRead {
  CacheSettings inEffect;      // what was taken; a setting that could not be keeps its old value
  std::uint32_t rejected = 0;  // kRejected... bits
  std::int32_t Result() const { return rejected ? kSettingsUnusableResult : 0; }
};

// Reads the three settings; a value that is missing, not a DWORD or out of what the driver
// supports is not taken. Each setting's policy value counts first; one that could not be
// taken is passed over for the stored value, as if there were none.
CacheSettingsRead ReadCacheSettings(DriverRegistry& registry, const CacheSettings& inEffect);

struct StartUpState {
  std::int32_t state = 4;    // 3 active, 4 inactive
  bool cacheCleared = false; // a "ClearCache" mark was honoured (and removed)
  CacheSettingsRead settings;
};

// What the driver starts with: the state the program recorded last ("ActivateState" 1 active,
// 0 inactive; anything else leaves `defaultState`), the "ClearCache" mark "YES" honoured once
// (the value is deleted), and the cache settings.
StartUpState TakeStartUpState(DriverRegistry& registry, std::int32_t defaultState);

// After a request is answered: an accepted activate (2) or deactivate (3) is recorded as
// "ActivateState" 1 or 0 where the stored value differs. The driver records it itself because
// it may write the machine's key and the user who asked may not.
void RecordAcceptedChange(DriverRegistry& registry, std::int32_t request, std::int32_t result);

}  // namespace velmora::sim
