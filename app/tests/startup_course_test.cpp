#include <gtest/gtest.h>

#include <string>

#include "app/start_turn.h"
#include "app/startup_course.h"
#include "app/switches.h"

namespace velmora {
namespace {

// Records the steps taken, one letter each, and answers from its fields.
class RecordedSteps : public StartupSteps {
 public:
  bool firstInstance = true;
  Switches switches;
  bool upgradeEnds = false;
  bool oleStarts = true;
  int activationResult = 0;
  std::string taken;
  int requested = -1;
  bool forcedUpgrade = false;

  bool IsFirstInstance() override { return Record('I', firstInstance); }
  void LoadInstallDir() override { taken += 'P'; }
  Switches ReadSwitches() override {
    taken += 'S';
    return switches;
  }
  bool UpgradeEndsRun(bool forcePrompt) override {
    forcedUpgrade = forcePrompt;
    return Record('U', upgradeEnds);
  }
  void WaitForStartingDriver(bool showSplash) override { taken += showSplash ? "L<" : "L"; }
  void CheckDriver() override { taken += 'D'; }
  bool InitializeOle() override { return Record('O', oleStarts); }
  void ShowSplash() override { taken += '<'; }
  void DismissSplash() override { taken += '>'; }
  int SetActivation(int state) override {
    taken += 'A';
    requested = state;
    return activationResult;
  }
  void RunPalette() override { taken += 'W'; }

 private:
  bool Record(char step, bool answer) {
    taken += step;
    return answer;
  }
};

TEST(StartupCourseTest, APlainStartChecksEverythingThenRunsThePalette) {
  RecordedSteps steps;
  EXPECT_EQ(0, RunStartupCourse(steps));
  EXPECT_EQ("IPSUDOW", steps.taken);
  EXPECT_FALSE(steps.forcedUpgrade);
}

TEST(StartupCourseTest, EachEarlyEndStopsBeforeTheNextStep) {
  // A second start only brings the first forward; a change it was asked for is not made, and
  // its exit status says so.
  for (const int action : {0, 1}) {
    RecordedSteps second;
    second.firstInstance = false;
    second.switches.commandLineAction = action;
    EXPECT_EQ(action ? kExitHandedOver : 0, RunStartupCourse(second)) << action;
    EXPECT_EQ("IS", second.taken) << action;
  }

  RecordedSteps upgraded;
  upgraded.switches.forceUpgradePrompt = 1;
  upgraded.upgradeEnds = true;
  EXPECT_EQ(0, RunStartupCourse(upgraded));
  EXPECT_EQ("IPSU", upgraded.taken) << "the installer ends the run before the driver check";
  EXPECT_TRUE(upgraded.forcedUpgrade);

  RecordedSteps noOle;
  noOle.switches.commandLineAction = 1;
  noOle.switches.showSplash = 1;
  noOle.oleStarts = false;
  EXPECT_EQ(0, RunStartupCourse(noOle));
  EXPECT_EQ("IPSUL<DO", noOle.taken) << "no picture but the wait's, no change, no palette";
}

TEST(StartupCourseTest, ACommandLineChangeEndsTheRunWithItsOutcome) {
  for (const int refusal : {0, 1, -1, 12}) {
    RecordedSteps steps;
    steps.switches.commandLineAction = 1;
    steps.switches.requestedState = 0;
    steps.switches.showSplash = 1;
    steps.activationResult = refusal;
    EXPECT_EQ(refusal != 0 ? 1 : 0, RunStartupCourse(steps)) << refusal;
    EXPECT_EQ("IPSUDO<>A", steps.taken) << "no wait to deactivate; the picture goes before the change";
    EXPECT_EQ(0, steps.requested);
  }

  RecordedSteps quiet;
  quiet.switches.commandLineAction = 1;
  EXPECT_EQ(0, RunStartupCourse(quiet));
  EXPECT_EQ("IPSULDOA", quiet.taken) << "activating waits for a starting driver, without the picture";
  EXPECT_EQ(1, quiet.requested);
}

// A waiting start never waits unseen behind a question, and never without a limit.
TEST(StartTurnTest, AWaitingStartHandsOverToADialogAndStopsWaitingAtTheLimit) {
  struct Row {
    bool taken, dialog;
    std::uint32_t waited;
    StartTurn turn;
  } rows[] = {
      {true, false, 0, StartTurn::kOurs},
      {true, true, kStartTurnLimitMs, StartTurn::kOurs},
      {false, true, 0, StartTurn::kHandOver},
      {false, false, kStartTurnLimitMs - 1, StartTurn::kKeepWaiting},
      {false, false, kStartTurnLimitMs, StartTurn::kUnguarded},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.turn, NextStartTurn(r.taken, r.dialog, r.waited)) << r.taken << r.dialog << " " << r.waited;
  }
}

}  // namespace
}  // namespace velmora
