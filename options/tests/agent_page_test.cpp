// The Agent page's decisions over its boxes: what each stored value shows, when the page counts
// as changed, and what an apply writes and shows afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/registry_names.h"
#include "options/agent_page.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;

// The controls: hold what they were shown or the user typed; the name box upper-cases, as
// the template's does.
class FakeAgentBoxes : public AgentBoxes {
 public:
  void Show(const AgentShown& agent) override { Type(agent); }
  AgentShown ReadBoxes() const override { return m_held; }
  void Type(AgentShown agent) {
    agent.name = UpperCase8Bit(agent.name);
    m_held = agent;
  }

 private:
  AgentShown m_held;
};

std::optional<std::string> Stored(MemoryRegistry& reg) {
  char buf[260];
  std::uint32_t size = sizeof buf;
  if (reg.ReadString(kAgentsKey, "", buf, &size) != 0) return std::nullopt;
  return std::string(buf);
}

// An agent as the table spells it; a null name means none.
struct Agent {
  AgentType type;
  const char* name;
  AgentShown Shown() const { return AgentShown{type, name ? name : ""}; }
};

TEST(AgentPageTest, LoadChangeAndApplyFollowWhatIsStored) {
  constexpr Agent kPlaceholder{AgentType::kNovell, "VL_AGENT"};
  constexpr Agent kNoChange{AgentType::kNone, nullptr};
  struct Case {
    const char* stored;       // nullptr: no value
    Agent typed;              // the user's change after the load
    Agent shown;              // after the load
    const char* storedAfter;  // after the apply
    Agent shownAfter;         // after the apply's load
    bool writeFails;
    bool changed;       // after the load and the user's change
    bool changedAfter;  // after the apply
  } cases[] = {
      // Unchanged: nothing written, the value keeps its own spelling.
      {"nt.east", kNoChange, {AgentType::kNt, "EAST"}, "nt.east", {AgentType::kNt, "EAST"}, false, false, false},
      {"nt.east", {AgentType::kNt, "west"}, {AgentType::kNt, "EAST"}, "NT.WEST", {AgentType::kNt, "WEST"}, false, true,
       false},
      {"NT.EAST", {AgentType::kNovell, "EAST"}, {AgentType::kNt, "EAST"}, "NOVELL.EAST", {AgentType::kNovell, "EAST"},
       false, true, false},
      // Nothing valid stored: the placeholder counts as changed until an apply stores it.
      {nullptr, kNoChange, kPlaceholder, "NOVELL.VL_AGENT", kPlaceholder, false, true, false},
      {"IPX.AGENT", kNoChange, kPlaceholder, "NOVELL.VL_AGENT", kPlaceholder, false, true, false},
      // No button selected: stored with an empty tag, which reads back as invalid.
      {"NOVELL.SRV", {AgentType::kNone, "SRV"}, {AgentType::kNovell, "SRV"}, ".SRV", kPlaceholder, false, true, true},
      // A failed write: the apply goes on and shows what is stored, the typing is lost.
      {"nt.a", {AgentType::kNovell, "A"}, {AgentType::kNt, "A"}, "nt.a", {AgentType::kNt, "A"}, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    MemoryRegistry reg;
    RecordingPrompts prompts;
    FakeAgentBoxes boxes;
    if (c.stored) reg.WriteString(kAgentsKey, "", c.stored, static_cast<std::uint32_t>(std::string(c.stored).size() + 1));
    if (c.writeFails) reg.FailWrites(kAgentsKey, "", 5);
    AgentPage page(reg, prompts, boxes);

    page.Load();
    EXPECT_EQ(c.shown.Shown(), boxes.ReadBoxes());
    if (c.typed.name) boxes.Type(c.typed.Shown());
    EXPECT_EQ(c.changed, page.Changed());

    int owner = 0;
    page.Apply(&owner);
    EXPECT_EQ(c.storedAfter ? std::optional<std::string>(c.storedAfter) : std::nullopt, Stored(reg));
    EXPECT_EQ(c.shownAfter.Shown(), boxes.ReadBoxes());
    EXPECT_EQ(c.changedAfter, page.Changed());
    if (c.writeFails) {
      ASSERT_EQ(1u, prompts.boxes.size());
      EXPECT_EQ(20009, prompts.boxes[0].id);
      EXPECT_EQ(&owner, prompts.boxes[0].owner);
    } else {
      EXPECT_TRUE(prompts.boxes.empty());
    }
  }
}

}  // namespace
}  // namespace velmora
