#include "installer/actions/cache_presets.h"

#include "common/registry_names.h"
#include "options/cache_units.h"

namespace velmora::setup {
namespace {

constexpr std::int32_t kTimerMax =
    kHoursSpinRange.max * 3600 + kMinutesSpinRange.max * 60 + kSecondsSpinRange.max;

std::uint32_t StoredSeconds(std::int32_t shown) { return StoredRefreshTimer(0, 0, shown); }

}  // namespace

const std::array<CachePresetRule, 3>& CachePresetRules() {
  static const std::array<CachePresetRule, 3> rules{{
      {"CACHEBLOCKSIZE", kBlockSizeValue, "Kbytes", kBlockSizeSpinRange.min, kBlockSizeSpinRange.max, true,
       StoredFromShownKilo, StoredFromShownKilo(kShownCacheDefaults.blockSize)},
      {"CACHEMAXSIZE", kMaxSizeValue, "Mbytes", kMaxSizeSpinRange.min, kMaxSizeSpinRange.max, false,
       StoredFromShownKilo, StoredFromShownKilo(kShownCacheDefaults.maxSize)},
      {"CACHEREFRESHTIMER", kRefreshTimerValue, "seconds", 0, kTimerMax, false, StoredSeconds,
       StoredRefreshTimer(kShownCacheDefaults.hours, kShownCacheDefaults.minutes, kShownCacheDefaults.seconds)},
  }};
  return rules;
}

PresetReading ReadPreset(const CachePresetRule& rule, std::string_view text) {
  if (text.empty()) return {PresetReading::Kind::kNotGiven, 0};
  const PresetReading refused{PresetReading::Kind::kRefused, 0};
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return refused;
    value = value * 10 + (c - '0');
    if (value > rule.shownMax) return refused;  // also keeps a long run of digits from overflowing
  }
  const auto shown = static_cast<std::int32_t>(value);
  if (shown < rule.shownMin) return refused;
  if (rule.onlyPowersOfTwo) {
    bool choice = false;
    for (const std::int32_t c : kBlockSizeChoices) choice = choice || c == shown;
    if (!choice) return refused;
  }
  return {PresetReading::Kind::kGiven, rule.toStored(shown)};
}

std::string RefusalLine(const CachePresetRule& rule, std::string_view text) {
  std::string range;
  if (rule.onlyPowersOfTwo) {
    for (const std::int32_t c : kBlockSizeChoices) {
      if (!range.empty()) range += c == kBlockSizeChoices[std::size(kBlockSizeChoices) - 1] ? " or " : ", ";
      range += std::to_string(c);
    }
  } else {
    range = "a whole number from " + std::to_string(rule.shownMin) + " to " + std::to_string(rule.shownMax);
  }
  return std::string("Velmora: ") + rule.property + "=\"" + std::string(text) + "\" is refused: it takes " + range +
         " (" + rule.unit + "). Nothing was installed.";
}

std::optional<std::array<PresetReading, 3>> ReadPresetData(std::string_view data) {
  std::array<PresetReading, 3> readings{};
  const auto& rules = CachePresetRules();
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::size_t end = data.find(';');
    const bool last = i + 1 == rules.size();
    if (last != (end == std::string_view::npos)) return std::nullopt;
    readings[i] = ReadPreset(rules[i], data.substr(0, end));
    if (readings[i].kind == PresetReading::Kind::kRefused) return std::nullopt;
    if (!last) data.remove_prefix(end + 1);
  }
  return readings;
}

std::optional<std::uint32_t> PresetToWrite(const CachePresetRule& rule, const PresetReading& reading,
                                           bool storedAsDword) {
  if (reading.kind == PresetReading::Kind::kGiven) return reading.stored;
  if (storedAsDword) return std::nullopt;
  return rule.defaultStored;
}

}  // namespace velmora::setup
