// The default agent: one registry text, the type tag ("NOVELL" or "NT"), a full stop, the name.
#pragma once
#include <string>
#include <string_view>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/upper_case.h"  // the agent tag and name compare upper-cased
#include "resource.h"

namespace velmora {

// The type buttons of the Agent page; the type is kept as the id of its button.
constexpr int kAgentTypeNovell = IDC_AGENT_NOVELL;
constexpr int kAgentTypeNt = IDC_AGENT_NT;
constexpr int kAgentTypeNone = -1;  // nothing loaded
// Shown, with Novell, whenever no valid default agent can be read.
constexpr char kPlaceholderAgentName[] = "VL_AGENT";

struct DefaultAgent {
  bool valid = false;  // false: show the placeholder and remember nothing
  int type = kAgentTypeNone;
  std::string name;
};

// Upper-cases the whole text, splits it at the first full stop and recognises the tag without
// regard to case. No full stop, a leading one or an unknown tag make it invalid.
DefaultAgent ParseDefaultAgent(std::string_view text);

// Reads the value (260-byte buffer); any read failure gives an invalid agent.
DefaultAgent ReadDefaultAgent(SettingsStore& settings);

// The stored form of what the page shows: tag of the selected button (none for 0), ".", name.
std::string FormatDefaultAgent(int selectedType, const std::string& name);

// Exact comparison of what the page shows with what it remembers.
bool IsDefaultAgentChanged(int selectedType, const std::string& shownName, int rememberedType,
                           const std::string& rememberedName);

// Writes the shown agent when it differs from the remembered one; a failed write shows 20009
// owned by the page. True when a write was attempted.
bool SaveDefaultAgent(SettingsStore& settings, Prompts& prompts, OwnerWindow page, int selectedType,
                      const std::string& shownName, int rememberedType, const std::string& rememberedName);

}  // namespace velmora
