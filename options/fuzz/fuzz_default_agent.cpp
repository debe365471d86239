// The default agent as another program may have stored it: any type, any bytes. Reading must
// answer with an agent the page can show (or the placeholder), and whatever it accepts must
// be written back and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/registry_names.h"
#include "options/default_agent.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// What the value's text says, worked out the plain way.
void CheckAgainstText(const velmora::DefaultAgent& agent, std::string_view text) {
  const std::size_t dot = text.find('.');
  if (!agent.valid) {
    Require(agent.type == velmora::AgentType::kNone && agent.name.empty());
    if (dot != std::string_view::npos && dot > 0) {
      const std::string tag = velmora::UpperCase8Bit(text.substr(0, dot));
      Require(tag != "NOVELL" && tag != "NT");
    }
    return;
  }
  Require(dot != std::string_view::npos && dot > 0);
  const std::string tag = velmora::UpperCase8Bit(text.substr(0, dot));
  Require((tag == "NOVELL" && agent.type == velmora::AgentType::kNovell) ||
          (tag == "NT" && agent.type == velmora::AgentType::kNt));
  Require(agent.name == velmora::UpperCase8Bit(text.substr(dot + 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  if (size < 1) return 0;
  const std::uint32_t type = data[0] % 12;  // REG_NONE .. REG_QWORD and a few unknown ones
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  // The parser alone, on the whole text (zero bytes included).
  const DefaultAgent parsed = ParseDefaultAgent(bytes);
  CheckAgainstText(parsed, bytes);
  if (parsed.valid) {
    // Upper-casing twice changes nothing, so the stored form reads back as the same agent.
    const DefaultAgent again = ParseDefaultAgent(FormatDefaultAgent({parsed.type, parsed.name}));
    Require(again.valid && again.type == parsed.type && again.name == parsed.name);
  }

  // Through the registry, as the page reads it.
  MemoryRegistry reg;
  reg.WriteValue(kAgentsKey, "", type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                 static_cast<std::uint32_t>(bytes.size()));
  const DefaultAgent read = ReadDefaultAgent(reg);
  if (read.valid) {
    Require(type == kRegSz && read.name.size() < kPathBufferSize);
    // The text read is what the value holds up to its first zero byte.
    CheckAgainstText(read, bytes.substr(0, bytes.find('\0')));
  } else {
    Require(read.type == AgentType::kNone && read.name.empty());
  }

  // The page remembers what it read; shown it unchanged, Apply writes nothing.
  testing::RecordingPrompts prompts;
  const std::size_t writes = reg.Log().size();
  if (read.valid) {
    const AgentShown shown{read.type, read.name};
    Require(!SaveDefaultAgent(reg, prompts, nullptr, shown, shown));
    Require(reg.Log().size() == writes);
  } else {
    // It shows the placeholder with Novell, which differs from the nothing it remembers:
    // Apply stores a value that reads back as exactly that.
    Require(SaveDefaultAgent(reg, prompts, nullptr, {AgentType::kNovell, kPlaceholderAgentName}, std::nullopt));
    const DefaultAgent stored = ReadDefaultAgent(reg);
    Require(stored.valid && stored.type == AgentType::kNovell && stored.name == kPlaceholderAgentName);
    const MemoryRegistry::Value* value = reg.Find(kAgentsKey, "");
    Require(value != nullptr && value->type == kRegSz && !value->data.empty() && value->data.back() == 0);
  }
  Require(prompts.boxes.empty());
  return 0;
}
