#include "tools/vlifs95sim/driver_state.h"

namespace velmora::sim {
namespace {

// Takes a DWORD setting when it lies in [low, high].
bool AcceptSetting(const StoredValue& value, std::int64_t low, std::int64_t high, std::int32_t* setting) {
  if (value.kind != StoredValue::Kind::Dword) return false;
  const std::int64_t v = static_cast<std::int32_t>(value.dword);  // the program stores 32-bit signed
  if (v < low || v > high) return false;
  *setting = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace

CacheSettingsRead ReadCacheSettings(DriverRegistry& registry, const CacheSettings& inEffect) {
  CacheSettingsRead read;
  read.inEffect = inEffect;
  // Cache blocks are 1, 2 or 4 KB: the sizes the Cache page offers.
  const auto takeBlock = [](const StoredValue& block, std::int32_t* setting) {
    if (block.kind != StoredValue::Kind::Dword || (block.dword != 1024 && block.dword != 2048 && block.dword != 4096))
      return false;
    *setting = static_cast<std::int32_t>(block.dword);
    return true;
  };
  const auto takeMax = [](const StoredValue& v, std::int32_t* s) { return AcceptSetting(v, 16 * 1024, 19999 * 1024, s); };
  const auto takeTimer = [](const StoredValue& v, std::int32_t* s) {
    return AcceptSetting(v, 0, 999 * 3600 + 59 * 60 + 59, s);
  };
  const auto take = [&registry](const char* name, const auto& accept, std::int32_t* setting) {
    return accept(registry.Read(kCachePolicyKey, name), setting) || accept(registry.Read(kCacheKey, name), setting);
  };
  if (!take(kBlockSizeValue, takeBlock, &read.inEffect.blockSize)) read.rejected |= kRejectedBlockSize;
  if (!take(kMaxSizeValue, takeMax, &read.inEffect.maxSize)) read.rejected |= kRejectedMaxSize;
  if (!take(kRefreshTimerValue, takeTimer, &read.inEffect.refreshTimer)) read.rejected |= kRejectedRefreshTimer;
  return read;
}

StartUpState TakeStartUpState(DriverRegistry& registry, std::int32_t defaultState) {
  StartUpState start;
  start.state = defaultState;
  const StoredValue recorded = registry.Read(kGeneralKey, kActivateStateValue);
  if (recorded.kind == StoredValue::Kind::Dword && recorded.dword <= 1) start.state = recorded.dword == 1 ? 3 : 4;

  // The mark means "once, at the next start": honoured, then gone.
  const StoredValue mark = registry.Read(kCacheKey, kClearCacheValue);
  if (mark.kind == StoredValue::Kind::String && mark.text == "YES") {
    start.cacheCleared = true;
    registry.Delete(kCacheKey, kClearCacheValue);
  }
  start.settings = ReadCacheSettings(registry, CacheSettings{});
  return start;
}

void RecordAcceptedChange(DriverRegistry& registry, std::int32_t request, std::int32_t result) {
  if (result != 0 || (request != 2 && request != 3)) return;
  const std::uint32_t recorded = request == 2 ? 1 : 0;
  const StoredValue stored = registry.Read(kGeneralKey, "ActivateState");
  if (stored.kind == StoredValue::Kind::Dword && stored.dword == recorded) return;
  registry.WriteDword(kGeneralKey, "ActivateState", recorded);
}

}  // namespace velmora::sim
