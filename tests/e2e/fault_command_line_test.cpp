// Command lines a person or a script might hand the program: as long as the system allows,
// every switch in every case and place, and bytes above 0x7F. Whatever the line, the program
// does what the switches found in it ask, and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/fault_support.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace fault_e2e;
using velmora::sim::StandInSettings;

class FaultCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

// Junk words without a switch in them (no '/' or '-' before the switch letters), high bytes included.
std::string Junk(std::size_t length) {
  static const char kPieces[][8] = {"ACTIVE ", "dea ", "\xE9t\xE9 ", "\xC4\xD6\xDC ", "NOBODY ", "upg ",
                                    "\xA0\xFF\x80 ", "x/y ", "\"q\" "};
  std::string out;
  for (std::size_t i = 0; out.size() < length; ++i) out += kPieces[i % (sizeof kPieces / sizeof kPieces[0])];
  out.resize(length);
  return out;
}

// The longest line CreateProcess takes: 32767 characters with the zero, the program's path included.
std::size_t Room(const std::string& tail) {
  const std::string path = "\"" + robot::ProgramDir() + "\\Velmora.exe\" ";
  return 32767 - 1 - path.size() - tail.size();
}

TEST_F(FaultCommandLineTest, LinesOfThirtyTwoKilobytesWithTheSwitchAtEitherEnd) {
  {
    robot::FakeDriver driver(InState(3));
    const std::string tail = " /dEa";
    const std::string args = Junk(Room(tail)) + tail;
    const Course run = RunToEnd(args);
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.errors.empty());
    EXPECT_FALSE(run.sawPalette);
    EXPECT_EQ(4, driver.State());
    EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));
  }
  {
    robot::FakeDriver driver;
    const std::string head = "-Act ";
    const std::string args = head + Junk(Room(head));
    const Course run = RunToEnd(args);
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.errors.empty());
    EXPECT_FALSE(run.sawPalette);
    EXPECT_EQ(3, driver.State());
    EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  }
  {
    // Nothing but junk: the palette, as without switches.
    robot::ResetVelmoraRegistry();
    robot::FakeDriver driver;
    const Course run = RunToEnd(Junk(Room("")));
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.sawPalette);
    EXPECT_TRUE(run.errors.empty());
    EXPECT_EQ(4, driver.State());
    EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  }
}

// Every switch, with either mark, in a case of its own and a place of its own on the line.
TEST_F(FaultCommandLineTest, EverySwitchInEveryCaseAndPlace) {
  const char* const cases[][3] = {{"ACT", "act", "aCt"}, {"AUT", "aut", "AuT"}, {"DEA", "dea", "dEA"},
                                  {"NOB", "nob", "NoB"}, {"UPG", "upg", "uPg"}};
  int variant = 0;
  for (const auto& sw : cases) {
    for (const char mark : {'/', '-'}) {
      for (const char* spelled : sw) {
        const std::string word = std::string(1, mark) + spelled;
        // Alone, first, last, or glued inside another argument ("x/actz").
        const int place = variant++ % 4;
        const std::string args = place == 0   ? word
                                 : place == 1 ? word + " Q:\\\xE9t\xE9 more"
                                 : place == 2 ? "Q:\\\xE9t\xE9 more " + word
                                              : "x" + word + "z";
        const std::string upper = std::string(sw[0]);
        const bool activates = upper == "ACT" || upper == "AUT";
        const bool deactivates = upper == "DEA";
        robot::ResetVelmoraRegistry();
        robot::FakeDriver driver(InState(deactivates ? 3 : 4));
        ASSERT_TRUE(driver.Serving());
        const Course run = RunToEnd(args);
        ASSERT_TRUE(run.ended) << args;
        EXPECT_TRUE(run.errors.empty()) << args;
        if (activates || deactivates) {
          EXPECT_FALSE(run.sawPalette) << args;
          EXPECT_EQ(activates ? 3 : 4, driver.State()) << args;
          EXPECT_EQ(std::optional<DWORD>(activates ? 1 : 0), robot::GetDword(kGeneral, "ActivateState")) << args;
        } else {
          // "/NOB" alone changes nothing; "/UPG" offers the upgrade first. Both end in the palette.
          EXPECT_TRUE(run.sawPalette) << args;
          EXPECT_EQ(upper == "UPG" ? std::vector<std::string>{"Velmora Upgrade"} : std::vector<std::string>{},
                    run.dialogs)
              << args;
          EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState")) << args;
        }
      }
    }
  }
}

TEST_F(FaultCommandLineTest, BytesAboveSeventyFHexAroundAndInsideSwitches) {
  struct Case {
    std::string args;
    int change;  // 1 activates, 0 deactivates, -1 opens the palette
  } cases[] = {
      {"/ACT\xE9\xFF", 1},          // a switch followed by high bytes is still found
      {"\xA0\xFF/dea\x80", 0},
      {"/\xC1" "CT /\xC4" "EA", -1},  // accented letters are not the switch's letters
      {"\xE1/\xE1" "ct", -1},
      {std::string(200, '\xFF') + " -aut", 1},
  };
  for (const Case& c : cases) {
    robot::ResetVelmoraRegistry();
    robot::FakeDriver driver(InState(c.change == 0 ? 3 : 4));
    const Course run = RunToEnd(c.args);
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.errors.empty());
    EXPECT_EQ(c.change == -1, run.sawPalette) << c.args;
    if (c.change == -1) {
      EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState")) << c.args;
    } else {
      EXPECT_EQ(std::optional<DWORD>(static_cast<DWORD>(c.change)), robot::GetDword(kGeneral, "ActivateState")) << c.args;
    }
  }
}

}  // namespace
