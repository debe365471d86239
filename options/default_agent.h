// The default agent: one registry text, the type tag ("NOVELL" or "NT"), a full stop, the name.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/upper_case.h"  // the agent tag and name compare upper-cased

namespace velmora {

// The agent's type, one of the Agent page's buttons; kNone when no button is selected (or, in
// a value read, when nothing valid was stored).
enum class AgentType { kNone, kNovell, kNt };

// Shown, with Novell, whenever no valid default agent can be read.
constexpr char kPlaceholderAgentName[] = "VL_AGENT";

// What the page shows, or remembers having shown after a load.
struct AgentShown {
  AgentType type = AgentType::kNone;
  std::string name;

  bool operator==(const AgentShown& other) const { return type == other.type && name == other.name; }
  bool operator!=(const AgentShown& other) const { return !(*this == other); }
};

struct DefaultAgent {
  bool valid = false;  // false: show the placeholder and remember nothing
  AgentType type = AgentType::kNone;
  std::string name;
};

// Upper-cases the whole text, splits it at the first full stop and recognises the tag without
// regard to case. No full stop, a leading one or an unknown tag make it invalid.
DefaultAgent ParseDefaultAgent(std::string_view text);

// Reads the value (260-byte buffer); any read failure gives an invalid agent.
DefaultAgent ReadDefaultAgent(SettingsStore& settings);

// The stored form of what the page shows: tag of the selected button (none for kNone), ".", name.
std::string FormatDefaultAgent(const AgentShown& shown);

// Exact comparison of what the page shows with what it remembers; remembering nothing (a load
// that found no valid value) always counts as changed.
bool IsDefaultAgentChanged(const AgentShown& shown, const std::optional<AgentShown>& remembered);

// Writes the shown agent when it differs from the remembered one; a failed write shows 20009
// owned by the page. True when a write was attempted.
bool SaveDefaultAgent(SettingsStore& settings, Prompts& prompts, OwnerWindow page, const AgentShown& shown,
                      const std::optional<AgentShown>& remembered);

}  // namespace velmora
