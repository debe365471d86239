#include <gtest/gtest.h>

#include "app/switches.h"

namespace velmora {
namespace {

struct Case {
  const char* line;
  int action, state, splash, upgrade;
};

TEST(SwitchesTest, TableOrderCaseDashFormAndSubstrings) {
  const Case cases[] = {
      {"", 0, 1, 0, 0},
      {"/ACT", 1, 1, 1, 0},
      {"/aut", 1, 1, 1, 0},
      {"-act", 1, 1, 1, 0},
      {"/DEA", 1, 0, 1, 0},
      {"-Dea", 1, 0, 1, 0},
      // DEA is tested after ACT, whatever their order on the line.
      {"/DEA /ACT", 1, 0, 1, 0},
      {"/ACT /DEA", 1, 0, 1, 0},
      {"/ACT /NOB", 1, 1, 0, 0},
      {"/NOB /act", 1, 1, 0, 0},
      {"/NOB", 0, 1, 0, 0},
      {"/UPG", 0, 1, 0, 1},
      {"-upg /dea /nob", 1, 0, 0, 1},
      // No tokenising: longer words and words inside other arguments count.
      {"/ACTIVATE", 1, 1, 1, 0},
      {"-deactivate", 1, 0, 1, 0},
      {"/NOBANNER /aut", 1, 1, 0, 0},
      {"C:\\TEMP\\X-ACTUAL.TXT", 1, 1, 1, 0},
      // Without the slash or dash the word is not a switch.
      {"ACT DEA NOB UPG", 0, 1, 0, 0},
      {"/ AC T", 0, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Switches s = ParseSwitches(c.line);
    EXPECT_EQ(c.action, s.commandLineAction);
    EXPECT_EQ(c.state, s.requestedState);
    EXPECT_EQ(c.splash, s.showSplash);
    EXPECT_EQ(c.upgrade, s.forceUpgradePrompt);
  }
}

TEST(SwitchesTest, TheListAndTheOptionsAloneAreCoursesOfTheirOwn) {
  const struct {
    const char* line;
    Course course;
  } cases[] = {
      {"", Course::kStartup},
      {"/ACT /NOB", Course::kStartup},
      {"/OPTIONS", Course::kOptionsAlone},
      {"-options", Course::kOptionsAlone},
      {"/Options /DEA /UPG", Course::kOptionsAlone},  // no change, no upgrade offer
      {"/OPTION", Course::kStartup},
      {"OPTIONS", Course::kStartup},
      {"/?", Course::kListSwitches},
      {"-?", Course::kListSwitches},
      {"/ACT /? /OPTIONS", Course::kListSwitches},
      {"?", Course::kStartup},
  };
  for (const auto& c : cases) EXPECT_EQ(c.course, ChooseCourse(ParseSwitches(c.line))) << c.line;
  // The options alone set nothing of the start-up course's own.
  const Switches options = ParseSwitches("/OPTIONS");
  EXPECT_FALSE(options.commandLineAction || options.showSplash || options.forceUpgradePrompt);
}

TEST(SwitchesTest, HighBytesAndEmbeddedZerosAreJustText) {
  const std::string line = std::string("\xE9\xFF/dea\0/act", 10) + std::string(40000, '\x80');
  const Switches s = ParseSwitches(line);
  EXPECT_EQ(1, s.commandLineAction);
  EXPECT_EQ(0, s.requestedState);
}

}  // namespace
}  // namespace velmora
