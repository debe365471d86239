// The preset properties come from an administrator's command line, any bytes: reading them must
// not crash, what is taken stays within the page's ranges, and the deferred data reads back
// what the immediate check accepted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/actions/cache_presets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora::setup;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto& rules = CachePresetRules();
  std::string joined;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const PresetReading r = ReadPreset(rules[i], text);
    if (r.kind == PresetReading::Kind::kGiven &&
        (r.stored < rules[i].toStored(rules[i].shownMin) || r.stored > rules[i].toStored(rules[i].shownMax)))
      std::abort();
    if (r.kind == PresetReading::Kind::kNotGiven && !text.empty()) std::abort();
    if (r.kind == PresetReading::Kind::kRefused && RefusalLine(rules[i], text).find(rules[i].property) == std::string::npos)
      std::abort();
    joined += (i ? ";" : "") + std::string(r.kind == PresetReading::Kind::kGiven ? text : "");
  }
  if (!ReadPresetData(joined)) std::abort();
  ReadPresetData(text);
  return 0;
}
