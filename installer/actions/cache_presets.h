// The cache settings an administrator presets on the installer's command line
// (CACHEBLOCKSIZE=4 CACHEMAXSIZE=64 CACHEREFRESHTIMER=900), in the units the Cache page shows,
// checked by the page's own ranges and stored as the page stores them.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::setup {

struct CachePresetRule {
  const char* property;    // the installer property
  const char* valueName;   // the REG_DWORD under the Cache key
  const char* unit;        // as the page names it
  std::int32_t shownMin;
  std::int32_t shownMax;
  bool onlyPowersOfTwo;    // the block size: 1, 2 or 4
  std::uint32_t (*toStored)(std::int32_t shown);  // the page's conversion
  std::uint32_t defaultStored;
};

// Block size, maximum size, refresh timer: the order of the page and of the action's data.
const std::array<CachePresetRule, 3>& CachePresetRules();

// A property's text: empty is not given; otherwise decimal digits only, within the rule.
struct PresetReading {
  enum class Kind { kNotGiven, kGiven, kRefused } kind;
  std::uint32_t stored;  // for kGiven: the value in stored units
};
PresetReading ReadPreset(const CachePresetRule& rule, std::string_view text);

// The installer's log line for a refused text: the property, what was given and its range.
std::string RefusalLine(const CachePresetRule& rule, std::string_view text);

// The deferred action's data: the three property texts, in rule order, joined by ';' (what
// "[CACHEBLOCKSIZE];[CACHEMAXSIZE];[CACHEREFRESHTIMER]" formats to). None when it is not
// three fields, or a field does not read (the immediate check refused it already).
std::optional<std::array<PresetReading, 3>> ReadPresetData(std::string_view data);

// What the install writes for one value: a given preset wins over a stored value, a stored
// value is kept, and a missing one gets the page's default. None: leave it as stored.
std::optional<std::uint32_t> PresetToWrite(const CachePresetRule& rule, const PresetReading& reading,
                                           bool storedAsDword);

}  // namespace velmora::setup
