// The command-line course: /ACT, /AUT and /DEA change the cache state without a palette,
// record it in the registry, and report the outcome in the exit code.
#include <gtest/gtest.h>

#include "tests/doubles/string_table.h"
#include "tests/e2e/driver_support.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace std::chrono_literals;
using velmora::sim::StandInSettings;

using robot::keys::kGeneral;

StandInSettings InState(int state) {
  StandInSettings s;
  s.state = state;
  return s;
}

struct Outcome {
  std::vector<int> errors;
  DWORD exitCode = 99;
  bool sawPalette = false;
};

// Starts Velmora.exe with a command line, closes its boxes until it ends.
Outcome RunToEnd(const std::string& args, robot::Millis timeout = 20s) {
  robot::Process p = robot::Start("Velmora.exe", args);
  Outcome run;
  std::vector<robot::MessageBoxSeen> seen;
  run.sawPalette = e2e::AnswerBoxes(p, &seen, timeout, false) != nullptr;
  EXPECT_TRUE(p.WaitForExit(1s, &run.exitCode)) << args << ": still running";
  run.errors = e2e::ErrorCodes(seen);
  for (const robot::MessageBoxSeen& b : seen) {
    const int code = 20000 + std::stoi(b.caption.substr(b.caption.rfind(' ') + 1));
    EXPECT_EQ(velmora::LookupString(static_cast<unsigned>(code)), b.text);
  }
  return run;
}

class ActivationCourseTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

TEST_F(ActivationCourseTest, ActivateAnInactiveDriver) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  const Outcome run = RunToEnd("/ACT");
  // The palette's own question, the start-up check (2), activation's three checks, the change.
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1, 1, 2}), driver.Requests());
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_TRUE(run.errors.empty());
  EXPECT_FALSE(run.sawPalette);
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_EQ(3, driver.State());
}

TEST_F(ActivationCourseTest, AutoStartActivatesToo) {
  robot::FakeDriver driver;
  const Outcome run = RunToEnd("/AUT /NOB");
  EXPECT_EQ(2, driver.Requests().back());
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_EQ(0u, run.exitCode);
}

TEST_F(ActivationCourseTest, DeactivateWhileInactiveChangesNothing) {
  robot::SetDword(kGeneral, "ActivateState", 7);
  for (const char* args : {"/DEA", "/DEA /ACT", "-dea"}) {
    robot::FakeDriver driver;
    const Outcome run = RunToEnd(args);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1, 1}), driver.Requests()) << args;
    EXPECT_TRUE(run.errors.empty()) << args;
    EXPECT_FALSE(run.sawPalette) << args;
    EXPECT_EQ(0u, run.exitCode) << args;
  }
  EXPECT_EQ(std::optional<DWORD>(7), robot::GetDword(kGeneral, "ActivateState"));
}

TEST_F(ActivationCourseTest, SwitchesInAnyCaseAndOrder) {
  {
    // "/DEA" wins over "/ACT" whatever their order.
    robot::FakeDriver driver(InState(3));
    const Outcome run = RunToEnd("/DEA /ACT");
    EXPECT_EQ(3, driver.Requests().back());
    EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));
    EXPECT_EQ(0u, run.exitCode);
  }
  {
    robot::FakeDriver driver;
    const Outcome run = RunToEnd("/act");
    EXPECT_EQ(2, driver.Requests().back());
    EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  }
  {
    robot::FakeDriver driver(InState(3));
    const Outcome run = RunToEnd("-dea");
    EXPECT_EQ(3, driver.Requests().back());
    EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));
    EXPECT_TRUE(run.errors.empty());
  }
}

TEST_F(ActivationCourseTest, NoDriverAtAll) {
  const Outcome run = RunToEnd("/ACT");
  EXPECT_EQ((std::vector<int>{20014, 20014}), run.errors);  // start-up check, then activation's own
  EXPECT_FALSE(run.sawPalette);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
}

TEST_F(ActivationCourseTest, RefusedActivation) {
  StandInSettings s;
  s.refusals[2] = -3;
  robot::FakeDriver driver(s);
  robot::SetDword(kGeneral, "ActivateState", 0);
  const Outcome run = RunToEnd("/ACT");
  EXPECT_EQ((std::vector<int>{20013}), run.errors);
  EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_EQ(4, driver.State());
}

TEST_F(ActivationCourseTest, RefusalWithAnUnknownResultShowsUnknownState) {
  StandInSettings s;
  s.refusals[3] = 1;
  s.state = 3;
  robot::FakeDriver driver(s);
  const Outcome run = RunToEnd("/DEA");
  EXPECT_EQ((std::vector<int>{20021}), run.errors);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
}

TEST_F(ActivationCourseTest, UnusableDriverWithACommandLineAction) {
  robot::FakeDriver driver(InState(1));
  const Outcome run = RunToEnd("/ACT /NOB");
  EXPECT_EQ((std::vector<int>{20020, 20020}), run.errors);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1}), driver.Requests());  // no version question, no change
}

TEST_F(ActivationCourseTest, StalledDriverIsGivenUpAfterOneLimitForTheWholeStart) {
  StandInSettings s;
  s.stallAll = true;
  robot::FakeDriver driver(s);
  const auto start = std::chrono::steady_clock::now();
  const Outcome run = RunToEnd("/ACT", 60s);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ((std::vector<int>{20014, 20014}), run.errors);
  EXPECT_EQ(1u, run.exitCode);
  // The palette's question is given up on after the limit; the start-up check's "usable?" and
  // state, and activation's "usable?" and report, then fail at once without asking.
  EXPECT_EQ((std::vector<int>{1}), driver.Requests());
  EXPECT_GE(took, 4500ms);
  EXPECT_LT(took, 12s);
}

TEST_F(ActivationCourseTest, SecondStartWithDeactivateOnlyBringsThePaletteForward) {
  robot::FakeDriver driver(InState(3));
  robot::Process first = robot::Start("Velmora.exe", "");
  std::vector<robot::MessageBoxSeen> seen;
  HWND palette = e2e::AnswerBoxesUntilPalette(first, &seen, 10s);
  ASSERT_NE(nullptr, palette);
  EXPECT_TRUE(seen.empty());
  const std::size_t before = driver.Requests().size();

  robot::Process second = robot::Start("Velmora.exe", "/DEA");
  DWORD code = 99;
  ASSERT_TRUE(second.WaitForExit(10s, &code));
  EXPECT_EQ(2u, code) << "a change handed over is not made";
  // Only the palette object's own status question, asked before the hand-over.
  const std::vector<int> requests = driver.Requests();
  EXPECT_EQ((std::vector<int>(requests.begin() + static_cast<long>(before), requests.end())), std::vector<int>{1});
  EXPECT_EQ(3, driver.State());
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));

  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.WaitForExit(10s, &code));
}

TEST_F(ActivationCourseTest, StandInDriverProgramActivatesAndDeactivates) {
  const std::string log = robot::ProgramDir() + "\\vlifs95sim-e2e.log";
  DeleteFileA(log.c_str());
  robot::Process sim = robot::Start("vlifs95sim.exe", "--log \"" + log + "\"");
  // The stand-in is ready once its pipe exists.
  ASSERT_TRUE(robot::WaitUntil([] { return WaitNamedPipeA("\\\\.\\pipe\\VLIFS95", 0) || GetLastError() != ERROR_FILE_NOT_FOUND; }, 10s));
  EXPECT_EQ(0u, RunToEnd("/ACT").exitCode);
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_EQ(0u, RunToEnd("/DEA").exitCode);
  EXPECT_EQ(std::optional<DWORD>(0), robot::GetDword(kGeneral, "ActivateState"));
  sim.Kill();

  std::string text;
  if (FILE* f = std::fopen(log.c_str(), "r")) {
    char line[128];
    while (std::fgets(line, sizeof line, f)) text += line;
    std::fclose(f);
  }
  EXPECT_NE(std::string::npos, text.find("request 2 result 0 state 3\n")) << text;
  EXPECT_NE(std::string::npos, text.find("request 3 result 0 state 4\n")) << text;
  DeleteFileA(log.c_str());
}

}  // namespace
