#include "options/default_agent.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"

namespace velmora {

DefaultAgent ParseDefaultAgent(std::string_view text) {
  DefaultAgent agent;
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos || dot == 0) return agent;
  const std::string upper = UpperCase8Bit(text);
  const std::string tag = upper.substr(0, dot);
  if (tag == "NOVELL") {
    agent.type = AgentType::kNovell;
  } else if (tag == "NT") {
    agent.type = AgentType::kNt;
  } else {
    return agent;
  }
  agent.valid = true;
  agent.name = upper.substr(dot + 1);
  return agent;
}

DefaultAgent ReadDefaultAgent(SettingsStore& settings) {
  char buffer[kPathBufferSize] = {};
  std::uint32_t size = sizeof buffer;
  if (settings.ReadString(kAgentsKey, "", buffer, &size) != kErrorSuccess) return DefaultAgent{};
  return ParseDefaultAgent(buffer);
}

std::string FormatDefaultAgent(const AgentShown& shown) {
  const char* tag = shown.type == AgentType::kNovell ? "NOVELL" : shown.type == AgentType::kNt ? "NT" : "";
  return std::string(tag) + "." + shown.name;
}

bool IsDefaultAgentChanged(const AgentShown& shown, const std::optional<AgentShown>& remembered) {
  return !remembered || shown != *remembered;
}

bool SaveDefaultAgent(SettingsStore& settings, Prompts& prompts, OwnerWindow page, const AgentShown& shown,
                      const std::optional<AgentShown>& remembered) {
  if (!IsDefaultAgentChanged(shown, remembered)) return false;
  const std::string value = FormatDefaultAgent(shown);
  if (settings.WriteString(kAgentsKey, "", value.c_str(), static_cast<std::uint32_t>(value.size() + 1)) !=
      kErrorSuccess) {
    prompts.ShowError(kErrWriteDefaultAgent, kMbIconHand, page);
  }
  return true;
}

}  // namespace velmora
