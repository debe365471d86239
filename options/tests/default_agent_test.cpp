#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "options/default_agent.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;

TEST(DefaultAgentTest, RecognisedValuesGiveTypeAndName) {
  struct Case {
    const char* stored;
    AgentType type;
    const char* name;
  } cases[] = {
      {"NT.AGENT7", AgentType::kNt, "AGENT7"},
      {"novell.main agent", AgentType::kNovell, "MAIN AGENT"},  // the whole text is upper-cased
      {"NOVELL.SRV.EAST.2", AgentType::kNovell, "SRV.EAST.2"},  // further full stops stay in the name
      {"NOVELL.", AgentType::kNovell, ""},                      // empty name
      {"Nt.x", AgentType::kNt, "X"},
  };
  for (const Case& c : cases) {
    const DefaultAgent a = ParseDefaultAgent(c.stored);
    EXPECT_TRUE(a.valid) << c.stored;
    EXPECT_EQ(c.type, a.type) << c.stored;
    EXPECT_EQ(c.name, a.name) << c.stored;
  }
}

TEST(DefaultAgentTest, MalformedValuesFallBack) {
  for (const char* stored : {"NOVELL", "", ".NOVELL", "IPX.AGENT", "NOVELLX.A", "N.A", " NT.A"}) {
    const DefaultAgent a = ParseDefaultAgent(stored);
    EXPECT_FALSE(a.valid) << stored;
    EXPECT_EQ(AgentType::kNone, a.type);
    EXPECT_EQ("", a.name);
  }
}

TEST(DefaultAgentTest, ReadFailuresFallBack) {
  MemoryRegistry reg;
  EXPECT_FALSE(ReadDefaultAgent(reg).valid);  // no value at all
  reg.WriteDword(kAgentsKey, "", 7);
  EXPECT_FALSE(ReadDefaultAgent(reg).valid);  // not text
  const std::string tooLong = "NT." + std::string(300, 'A');
  reg.WriteString(kAgentsKey, "", tooLong.c_str(), static_cast<std::uint32_t>(tooLong.size() + 1));
  EXPECT_FALSE(ReadDefaultAgent(reg).valid);  // longer than the 260-byte buffer
  reg.WriteString(kAgentsKey, "", "nt.east", 8);
  const DefaultAgent a = ReadDefaultAgent(reg);
  EXPECT_TRUE(a.valid);
  EXPECT_EQ("EAST", a.name);
}

TEST(DefaultAgentTest, UpperCaseCoversTheWesternLetters) {
  EXPECT_EQ("\xC0\xC9\xF7Z1.\xFF", UpperCase8Bit("\xE0\xE9\xF7z1.\xFF"));
}

TEST(DefaultAgentTest, AnUnchangedPageWritesNothingAChangedOneWritesTagDotName) {
  MemoryRegistry reg;
  RecordingPrompts prompts;
  EXPECT_FALSE(SaveDefaultAgent(reg, prompts, nullptr, {AgentType::kNt, "EAST"}, AgentShown{AgentType::kNt, "EAST"}));
  EXPECT_TRUE(reg.Log().empty());
  EXPECT_TRUE(IsDefaultAgentChanged({AgentType::kNt, "east"}, AgentShown{AgentType::kNt, "EAST"}));  // exact comparison

  // After a fallback the page shows the placeholder but remembers nothing: it counts as changed.
  EXPECT_TRUE(SaveDefaultAgent(reg, prompts, nullptr, {AgentType::kNovell, kPlaceholderAgentName}, std::nullopt));
  char buf[260];
  std::uint32_t size = sizeof buf;
  ASSERT_EQ(0, reg.ReadString(kAgentsKey, "", buf, &size));
  EXPECT_STREQ("NOVELL.VL_AGENT", buf);
  EXPECT_EQ(16u, size);  // the terminating zero is stored
  EXPECT_EQ("NT.X", FormatDefaultAgent({AgentType::kNt, "X"}));
  EXPECT_EQ(".X", FormatDefaultAgent({AgentType::kNone, "X"}));
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST(DefaultAgentTest, AFailedWriteShows20009OwnedByThePage) {
  MemoryRegistry reg;
  RecordingPrompts prompts;
  reg.FailWrites(kAgentsKey, "", 5);
  int page = 0;
  EXPECT_TRUE(SaveDefaultAgent(reg, prompts, &page, {AgentType::kNt, "A"}, AgentShown{AgentType::kNovell, "A"}));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20009, prompts.boxes[0].id);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(&page, prompts.boxes[0].owner);
}

}  // namespace
}  // namespace velmora
