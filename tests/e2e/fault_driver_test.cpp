// A driver that misbehaves: killed in the middle of an exchange, stalled, busy, answering with
// too few bytes, or with states, versions and results outside every table. The program must
// end (or open its palette) with the box it defines, within the exchange limit, and write
// "ActivateState" only after an accepted change.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/palette_contract.h"
#include "res/resource.h"
#include "tests/e2e/fault_support.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace fault_e2e;
using velmora::sim::StandInSettings;

constexpr auto kExchangeLimit = 5s;
constexpr char kPipe[] = "\\\\.\\pipe\\VLIFS95";

class FaultDriverTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool PipeUp() {
  return robot::WaitUntil([] { return WaitNamedPipeA(kPipe, 0) || GetLastError() != ERROR_FILE_NOT_FOUND; }, 10s);
}

// The stand-in program, killed while it holds a request it will never answer.
TEST_F(FaultDriverTest, DriverKilledWhileHoldingTheActivateRequest) {
  const std::string log = robot::ProgramDir() + "\\fault-killed.log";
  DeleteFileA(log.c_str());
  robot::Process sim = robot::Start("vlifs95sim.exe", "--stall-on 2 --log \"" + log + "\"");
  ASSERT_TRUE(PipeUp());
  robot::Process p = robot::Start("Velmora.exe", "/ACT /NOB");
  ASSERT_TRUE(robot::WaitUntil([&] { return ReadAll(log).find("request 2 stalled") != std::string::npos; }, 15s))
      << ReadAll(log);
  const auto killed = Clock::now();
  sim.Kill();
  robot::MessageBoxSeen box;
  ASSERT_TRUE(robot::WaitForMessageBox(p.Pid(), &box, 10s));
  // The broken exchange is a failed one, reported as such at once rather than after the limit.
  EXPECT_LT(Clock::now() - killed, kExchangeLimit);
  EXPECT_EQ((std::vector<int>{20011}), e2e::ErrorCodes({box}));
  robot::PressButton(box.wnd, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(p.WaitForExit(10s, &code));
  EXPECT_EQ(1u, code);
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  DeleteFileA(log.c_str());
}

TEST_F(FaultDriverTest, DriverKilledDuringTheFirstStatusRequestThePaletteStillOpens) {
  const std::string log = robot::ProgramDir() + "\\fault-killed-status.log";
  DeleteFileA(log.c_str());
  robot::Process sim = robot::Start("vlifs95sim.exe", "--stall --log \"" + log + "\"");
  ASSERT_TRUE(PipeUp());
  robot::Process p = robot::Start("Velmora.exe", "");
  ASSERT_TRUE(robot::WaitUntil([&] { return ReadAll(log).find("request 1 stalled") != std::string::npos; }, 15s));
  const auto killed = Clock::now();
  sim.Kill();
  std::vector<robot::MessageBoxSeen> seen;
  HWND palette = e2e::AnswerBoxesUntilPalette(p, &seen, 20s);
  ASSERT_NE(nullptr, palette);
  EXPECT_LT(Clock::now() - killed, kExchangeLimit);
  EXPECT_EQ((std::vector<int>{20014}), e2e::ErrorCodes(seen));  // gone: missing from then on
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
  DeleteFileA(log.c_str());
}

TEST_F(FaultDriverTest, DriverStalledOnTheChangeIsGivenUpAfterTheLimit) {
  StandInSettings s;
  s.stallOn = {3};
  s.state = 3;
  robot::FakeDriver driver(s);
  ASSERT_TRUE(driver.Serving());
  const Course run = RunToEnd("/DEA /NOB", 40s);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ((std::vector<int>{20011}), run.errors);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_EQ(3, driver.Requests().back());
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  // Six quick status requests and one exchange given up on.
  EXPECT_GE(run.took, kExchangeLimit - 500ms);
  EXPECT_LT(run.took, kExchangeLimit + 8s);
}

// A driver that takes requests and never answers costs one user action one exchange limit in
// all: once an exchange timed out, the action's later requests fail at once. The boxes are
// those of a missing driver, as before.
TEST_F(FaultDriverTest, StalledDriverCostsTheCommandLineActionOneLimit) {
  StandInSettings s;
  s.stallAll = true;
  robot::FakeDriver driver(s);
  ASSERT_TRUE(driver.Serving());
  const Course run = RunToEnd("/ACT /NOB", 60s);
  std::printf("/ACT against a stalled driver: %lld ms\n", Millis(run.took));
  ASSERT_TRUE(run.ended);
  EXPECT_EQ((std::vector<int>{20014, 20014}), run.errors);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_EQ(std::vector<int>{1}, driver.Requests());
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  EXPECT_GE(run.took, kExchangeLimit - 500ms);
  EXPECT_LT(run.took, kExchangeLimit + 4s);
}

// A driver that stops answering while the palette runs: each toggle waits one limit, shows the
// missing driver's box as before, and the next toggle asks the driver again.
TEST_F(FaultDriverTest, StalledDriverCostsEachToggleOneLimit) {
  robot::FakeDriver driver;
  ASSERT_TRUE(driver.Serving());
  robot::Process p = robot::Start("Velmora.exe", "");
  HWND palette = robot::WaitForTopWindow(p.Pid(), velmora::kPaletteClassName, kPaletteCaption, 10s);
  ASSERT_NE(nullptr, palette);
  driver.Update([](StandInSettings& set) { set.stallAll = true; });
  for (int toggle = 0; toggle < 2; ++toggle) {
    const std::size_t asked = driver.Requests().size();
    const auto start = Clock::now();
    PostMessageA(GetDlgItem(palette, IDC_ACTIVATE), BM_CLICK, 0, 0);
    robot::MessageBoxSeen box;
    ASSERT_TRUE(robot::WaitForMessageBox(p.Pid(), &box, 15s));
    const auto took = Clock::now() - start;
    EXPECT_EQ((std::vector<int>{20014}), e2e::ErrorCodes({box}));
    EXPECT_GE(took, kExchangeLimit - 500ms);
    EXPECT_LT(took, kExchangeLimit + 3s);
    robot::PressButton(box.wnd, IDOK);
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::MessageBoxes(p.Pid()).empty(); }, 5s));
    // One exchange tried per toggle, none after it timed out.
    EXPECT_EQ(asked + 1, driver.Requests().size());
  }
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
}

// The pipe's only instance is held by another client for the whole run: the first exchange
// waits out its limit and fails, the rest of start-up gives up at once, so the driver reads as
// missing and the palette opens after one limit.
TEST_F(FaultDriverTest, BusyDriverReadsAsMissingAfterOneLimit) {
  framework::UniqueKernelHandle server(CreateNamedPipeA(kPipe, PIPE_ACCESS_DUPLEX,
                                                        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                                        8192, 8192, 0, nullptr));
  ASSERT_NE(INVALID_HANDLE_VALUE, server.get());
  framework::UniqueKernelHandle other(
      CreateFileA(kPipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_NE(INVALID_HANDLE_VALUE, other.get());

  const auto start = Clock::now();
  robot::Process p = robot::Start("Velmora.exe", "");
  std::vector<robot::MessageBoxSeen> seen;
  HWND palette = e2e::AnswerBoxesUntilPalette(p, &seen, 40s);
  const auto took = Clock::now() - start;
  ASSERT_NE(nullptr, palette);
  EXPECT_EQ((std::vector<int>{20014}), e2e::ErrorCodes(seen));
  // The palette's question waits; "usable?" and the state to report fail at once.
  EXPECT_GE(took, kExchangeLimit - 1s);
  EXPECT_LT(took, kExchangeLimit + 4s);
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
}

TEST_F(FaultDriverTest, AnswersOfTooFewBytes) {
  struct Case {
    std::size_t bytes;
    std::vector<int> errors;
    DWORD exitCode;
    bool changed;
  } cases[] = {
      {0, {20014, 20014}, 1, false},  // no result word: every exchange failed
      {3, {20014, 20014}, 1, false},
      {4, {20026, 20026}, 1, false},  // result 0 and nothing else: version 0.0.0.0
      {319, {}, 0, true},             // the whole status record but one byte of the next word
  };
  for (const Case& c : cases) {
    robot::ResetVelmoraRegistry();
    StandInSettings s;
    s.shortReply = c.bytes;
    robot::FakeDriver driver(s);
    ASSERT_TRUE(driver.Serving());
    const Course run = RunToEnd("/ACT /NOB");
    ASSERT_TRUE(run.ended) << c.bytes;
    EXPECT_EQ(c.errors, run.errors) << c.bytes << " bytes";
    EXPECT_EQ(c.exitCode, run.exitCode) << c.bytes << " bytes";
    EXPECT_EQ(c.changed, robot::GetDword(kGeneral, "ActivateState") == std::optional<DWORD>(1)) << c.bytes;
    EXPECT_EQ(c.changed ? 3 : 4, driver.State()) << c.bytes;
    EXPECT_LT(run.took, 10s) << c.bytes << " bytes: nothing may wait for the limit";
  }
}

TEST_F(FaultDriverTest, StatesOutsideTheTableAreUsableAndInactive) {
  for (int state : {0, 2, 5, 100, -6, -1000, INT_MIN, INT_MAX}) {
    robot::ResetVelmoraRegistry();
    robot::FakeDriver driver(InState(state));
    ASSERT_TRUE(driver.Serving());
    const Course run = RunToEnd("/ACT /NOB");
    ASSERT_TRUE(run.ended) << state;
    EXPECT_TRUE(run.errors.empty()) << state;
    EXPECT_EQ(0u, run.exitCode) << state;
    EXPECT_EQ(2, driver.Requests().back()) << state;
    EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneral, "ActivateState")) << state;
  }
}

TEST_F(FaultDriverTest, VersionsOtherThanTheClientsAreRefusedAndNothingChanges) {
  const std::array<std::int32_t, 4> versions[] = {
      {0, 0, 0, 0}, {4, 5, 1, 369}, {4, 5, 2, 370}, {5, 5, 1, 370}, {-4, -5, -1, -370}, {INT_MAX, INT_MIN, 1, 370}};
  for (const auto& v : versions) {
    robot::ResetVelmoraRegistry();
    StandInSettings s;
    s.version = v;
    s.state = 3;
    robot::FakeDriver driver(s);
    ASSERT_TRUE(driver.Serving());
    const Course run = RunToEnd("/DEA /NOB");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ((std::vector<int>{20026, 20026}), run.errors) << v[0] << "." << v[1] << "." << v[2] << "." << v[3];
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(3, driver.State());
    EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  }
}

TEST_F(FaultDriverTest, ResultsOutsideTheTable) {
  struct Case {
    int request;
    int result;
    std::vector<int> errors;
  } cases[] = {
      {1, 7, {20014, 20014}},       // a refused status query reads as a missing driver
      {1, INT_MIN, {20014, 20014}},
      {2, -5, {20021}},             // only -1 to -4 name a failure of their own
      {2, INT_MIN, {20021}},        // no catalogue entry: the unknown-state error
      {2, INT_MAX, {20021}},
      {2, -100, {20021}},
  };
  for (const Case& c : cases) {
    robot::ResetVelmoraRegistry();
    StandInSettings s;
    s.refusals[c.request] = c.result;
    robot::FakeDriver driver(s);
    ASSERT_TRUE(driver.Serving());
    const Course run = RunToEnd("/ACT /NOB");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(c.errors, run.errors) << "request " << c.request << " result " << c.result;
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(4, driver.State());
    EXPECT_FALSE(robot::ValueExists(kGeneral, "ActivateState"));
  }
}

}  // namespace
