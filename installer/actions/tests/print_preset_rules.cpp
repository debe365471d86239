// Prints the cache presets' rules as the installer applies them, in stored units, for the
// policy template's test: the template must offer exactly what the program and the package take.
//   key <the policy key the template writes under>
//   <value name> <stored min> <stored max> <default> [<choice>,<choice>...]
#include <cstdio>
#include <string>

#include "common/registry_names.h"
#include "installer/actions/cache_presets.h"
#include "options/cache_units.h"

int main() {
  using namespace velmora::setup;
  std::printf("key %s\n", velmora::kCachePolicyKey);
  for (const CachePresetRule& rule : CachePresetRules()) {
    std::string choices;
    if (rule.onlyPowersOfTwo) {
      for (const std::int32_t c : velmora::kBlockSizeChoices) {
        choices += (choices.empty() ? " " : ",") + std::to_string(rule.toStored(c));
      }
    }
    std::printf("%s %u %u %u%s\n", rule.valueName, rule.toStored(rule.shownMin), rule.toStored(rule.shownMax),
                rule.defaultStored, choices.c_str());
  }
  return 0;
}
