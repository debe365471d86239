#include <gtest/gtest.h>

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "driver/activation.h"
#include "driver/driver_channel.h"
#include "driver/driver_checks.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"
#include "tests/doubles/scripted_driver.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;
using testing::ScriptedDriver;

sim::StandInSettings InState(std::int32_t state) {
  sim::StandInSettings s;
  s.state = state;
  return s;
}

TEST(DriverStateTest, EveryStateGivesItsAnswersAndItsBox) {
  struct Row {
    std::int32_t state;
    int active, usable, error;
  };
  const Row rows[] = {
      {3, 1, 1, 0},  {4, 0, 1, 0},  {0, 0, 1, 0},  {2, 0, 1, 0},  {7, 0, 1, 0},
      {1, 0, 0, kErrDisabled},      {-1, 0, 0, kErrUnknownState}, {-2, 0, 0, kErrInitFailed},
      {-3, 0, 0, kErrInitCacheFailed}, {-4, 0, 0, kErrInitDiskSpace}, {-5, 0, 0, kErrDriverMissing},
      {-6, 0, 1, 0}, {INT32_MIN, 0, 1, 0},
  };
  for (const Row& row : rows) {
    ScriptedDriver transport(InState(row.state));
    CDriverChannel driver(transport);
    RecordingPrompts prompts;
    EXPECT_EQ(row.state, driver.GetDriverState()) << row.state;
    EXPECT_EQ(row.active, driver.IsActive()) << row.state;
    EXPECT_EQ(row.usable, driver.IsDriverUsable()) << row.state;
    ReportDriverStatus(driver, prompts);
    if (row.error == 0) {
      EXPECT_TRUE(prompts.boxes.empty()) << row.state;
    } else {
      ASSERT_EQ(1u, prompts.boxes.size()) << row.state;
      EXPECT_EQ(row.error, prompts.boxes[0].id);
      EXPECT_EQ(kMbIconHand, prompts.boxes[0].flags);
      EXPECT_EQ(nullptr, prompts.boxes[0].owner);
    }
    // Each question asked the driver afresh.
    EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1, 1}), transport.requests) << row.state;
  }
}

TEST(DriverStateTest, UsableFromMinusSixUpExceptMinusFiveToMinusOneAndOne) {
  const int expected[] = {1, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1};  // -6 .. 4
  for (int state = -6; state <= 4; ++state) {
    ScriptedDriver transport(InState(state));
    CDriverChannel driver(transport);
    EXPECT_EQ(expected[state + 6], driver.IsDriverUsable()) << state;
  }
}

TEST(DriverStateTest, MissingOrRefusingDriverCountsAsMissing) {
  ScriptedDriver missing(InState(3));
  missing.missing = true;
  CDriverChannel noDriver(missing);
  RecordingPrompts prompts;
  EXPECT_EQ(kStateMissing, noDriver.GetDriverState());
  EXPECT_EQ(0, noDriver.IsActive());
  EXPECT_EQ(0, noDriver.IsDriverUsable());
  ReportDriverStatus(noDriver, prompts);
  EXPECT_EQ((std::vector<int>{kErrDriverMissing}), prompts.Ids());

  // A status request answered with a non-zero result tells nothing about the state.
  ScriptedDriver refusing(InState(3));
  refusing.Settings().refusals[1] = 1;
  CDriverChannel refused(refusing);
  EXPECT_EQ(kStateMissing, refused.GetDriverState());
  EXPECT_EQ(0, refused.IsActive());
  DriverStatus status;
  EXPECT_EQ(1, refused.QueryStatus(&status));
}

TEST(DriverChannelTest, RequestsCarryTheirCodeAndReturnTheDriversResult) {
  ScriptedDriver transport;
  transport.Settings().refusals[5] = -7;
  CDriverChannel driver(transport);
  EXPECT_EQ(0, driver.Activate());
  EXPECT_EQ(3, transport.Settings().state);
  EXPECT_EQ(0, driver.Deactivate());
  EXPECT_EQ(4, transport.Settings().state);
  EXPECT_EQ(-7, driver.NotifySettingsChanged());
  EXPECT_EQ((std::vector<std::int32_t>{2, 3, 5}), transport.requests);

  transport.failOn = {2, 3, 5};
  EXPECT_EQ(-1, driver.Activate());
  EXPECT_EQ(-1, driver.Deactivate());
  EXPECT_EQ(-1, driver.NotifySettingsChanged());
}

TEST(DriverChannelTest, FailedStatusRequestLeavesTheRecordUntouched) {
  ScriptedDriver transport;
  transport.missing = true;
  CDriverChannel driver(transport);
  DriverStatus status;
  status.versionMajor = 9;
  status.state = 42;
  status.unused[73] = 5;
  EXPECT_EQ(-1, driver.QueryStatus(&status));
  EXPECT_EQ(9, status.versionMajor);
  EXPECT_EQ(42, status.state);
  EXPECT_EQ(5, status.unused[73]);
}

TEST(DriverChannelTest, StatusRecordIsWordsOneToSeventyNine) {
  ScriptedDriver transport(InState(4));
  transport.beforeAnswer = nullptr;
  CDriverChannel driver(transport);
  DriverStatus status;
  ASSERT_EQ(0, driver.QueryStatus(&status));
  EXPECT_EQ(4, status.versionMajor);
  EXPECT_EQ(5, status.versionMinor);
  EXPECT_EQ(1, status.versionRevision);
  EXPECT_EQ(370, status.versionBuild);
  EXPECT_EQ(4, status.state);
}

// The buffer is cleared before every request, so a short answer can never be completed with
// words left over from earlier.
TEST(DriverChannelTest, BufferIsClearedBeforeEveryRequest) {
  ScriptedDriver transport(InState(3));
  CDriverChannel driver(transport);
  ExchangeBuffer dirty;
  dirty.fill(0x5A5A5A5A);
  dirty[0] = kRequestQueryStatus;
  ASSERT_EQ(0, driver.SendRequest(dirty));
  ASSERT_EQ(1, driver.IsActive());  // a second request through a fresh buffer
  ASSERT_EQ(2u, transport.received.size());
  for (const ExchangeBuffer& sent : transport.received) {
    EXPECT_EQ(1, sent[0]);
    for (std::size_t i = 1; i < kExchangeWords; ++i) ASSERT_EQ(0, sent[i]) << "word " << i;
  }
}

TEST(DriverChannelTest, ShortAnswerFillsNoWordsItDidNotCarry) {
  // Only the result word comes back: the record reads as zeros, not as what was there before.
  ScriptedDriver transport(InState(3));
  transport.Settings().shortReply = 4;
  CDriverChannel driver(transport);
  RecordingPrompts prompts;
  DriverStatus status;
  status.state = 3;
  EXPECT_EQ(0, driver.QueryStatus(&status));
  EXPECT_EQ(0, status.state);
  EXPECT_EQ(0, status.versionMajor);
  EXPECT_EQ(0, driver.IsActive());
  EXPECT_EQ(1, driver.IsDriverUsable());
  CheckDriverAtStartup(driver, prompts);
  EXPECT_EQ((std::vector<int>{kErrWrongDriverVersion}), prompts.Ids());

  // Too short to carry a result: no answer at all.
  transport.Settings().shortReply = 3;
  EXPECT_EQ(-1, driver.QueryStatus(&status));
  EXPECT_EQ(kStateMissing, driver.GetDriverState());
}

TEST(DriverChannelTest, CopyReplyCopiesInPlaceAndDropsWhatDoesNotFit) {
  ExchangeBuffer buffer{};
  buffer[2] = 77;
  const std::int32_t three[3] = {0, 11, 22};
  EXPECT_EQ(-1, CopyReply(buffer, three, 3));
  EXPECT_EQ(77, buffer[2]);
  EXPECT_EQ(0, CopyReply(buffer, three, 8));
  EXPECT_EQ(11, buffer[1]);
  EXPECT_EQ(77, buffer[2]);
  std::vector<std::int32_t> big(kExchangeWords + 10, 9);
  EXPECT_EQ(0, CopyReply(buffer, big.data(), big.size() * 4));
  EXPECT_EQ(9, buffer[kExchangeWords - 1]);
}

TEST(DriverVersionTest, OnlyTheClientsOwnVersionPasses) {
  const std::array<std::int32_t, 4> versions[] = {
      {4, 5, 1, 371}, {4, 5, 1, 369}, {5, 5, 1, 370}, {4, 6, 1, 370}, {4, 5, 0, 370}, {0, 0, 0, 0}};
  for (const auto& v : versions) {
    ScriptedDriver transport;
    transport.Settings().version = v;
    CDriverChannel driver(transport);
    DriverStatus status;
    EXPECT_EQ(0, CheckDriverVersion(driver, &status)) << v[3];
    EXPECT_EQ(v[3], status.versionBuild);
  }
  ScriptedDriver good;
  CDriverChannel driver(good);
  DriverStatus status;
  EXPECT_EQ(1, CheckDriverVersion(driver, &status));
}

TEST(DriverVersionTest, FailedQueryClearsTheVersionWords) {
  for (bool refuse : {false, true}) {
    ScriptedDriver transport;
    if (refuse) transport.Settings().refusals[1] = 2;
    else transport.missing = true;
    CDriverChannel driver(transport);
    DriverStatus status;
    status.versionMajor = status.versionMinor = status.versionRevision = status.versionBuild = 8;
    EXPECT_EQ(0, CheckDriverVersion(driver, &status));
    EXPECT_EQ(0, status.versionMajor);
    EXPECT_EQ(0, status.versionMinor);
    EXPECT_EQ(0, status.versionRevision);
    EXPECT_EQ(0, status.versionBuild);
  }
}

TEST(StartupDriverCheckTest, GoodDriverShowsNothingAfterTwoStatusRequests) {
  ScriptedDriver transport;
  CDriverChannel driver(transport);
  RecordingPrompts prompts;
  CheckDriverAtStartup(driver, prompts);
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_EQ((std::vector<std::int32_t>{1, 1}), transport.requests);
}

TEST(StartupDriverCheckTest, ForeignVersionOrBadStateIsReportedOnce) {
  ScriptedDriver foreign;
  foreign.Settings().version = {4, 5, 1, 371};
  CDriverChannel foreignDriver(foreign);
  RecordingPrompts prompts;
  CheckDriverAtStartup(foreignDriver, prompts);
  EXPECT_EQ((std::vector<int>{kErrWrongDriverVersion}), prompts.Ids());

  // An unusable driver is not asked for its version: its state says enough.
  ScriptedDriver sick(InState(-3));
  sick.Settings().version = {1, 0, 0, 0};
  CDriverChannel sickDriver(sick);
  RecordingPrompts sickPrompts;
  CheckDriverAtStartup(sickDriver, sickPrompts);
  EXPECT_EQ((std::vector<int>{kErrInitCacheFailed}), sickPrompts.Ids());
  EXPECT_EQ((std::vector<std::int32_t>{1, 1}), sick.requests);
}

// A driver that takes requests and never answers: one user action waits for it once.
TEST(DriverActionTest, AfterATimeOutTheActionsLaterRequestsFailAtOnceUntilTheNextAction) {
  sim::StandInSettings s;
  s.stallAll = true;
  ScriptedDriver transport(s);
  CDriverChannel driver(transport);
  {
    DriverAction action(driver);
    EXPECT_EQ(0, driver.IsActive());
    {
      DriverAction inner(driver);  // a nested scope is part of the same action
      EXPECT_EQ(-1, driver.Activate());
    }
    EXPECT_EQ(kStateMissing, driver.GetDriverState());
    EXPECT_EQ(-1, driver.NotifySettingsChanged());
    EXPECT_EQ((std::vector<std::int32_t>{1}), transport.requests);
  }
  // The next action tries again; outside any action every request waits its own limit.
  DriverAction next(driver);
  EXPECT_EQ(-1, driver.Deactivate());
  next.End();
  next.End();  // ending twice ends once
  EXPECT_EQ(-1, driver.Deactivate());
  EXPECT_EQ(-1, driver.Deactivate());
  EXPECT_EQ((std::vector<std::int32_t>{1, 3, 3, 3}), transport.requests);

  // A driver that answers again is heard in the next action.
  transport.Settings().stallAll = false;
  DriverAction recovered(driver);
  EXPECT_EQ(4, driver.GetDriverState());
}

// Only a time-out stops the action: a channel that fails at once (no driver) costs nothing to
// try again, and a refusal or short answer is the driver speaking.
TEST(DriverActionTest, FailuresOtherThanATimeOutAreTriedEachTime) {
  ScriptedDriver transport;
  transport.missing = true;
  CDriverChannel driver(transport);
  DriverAction action(driver);
  EXPECT_EQ(0, driver.IsActive());
  EXPECT_EQ(-1, driver.Activate());
  transport.missing = false;
  EXPECT_EQ(0, driver.Activate());
  EXPECT_EQ((std::vector<std::int32_t>{1, 2, 2}), transport.requests);
}

// The command-line start against a stalled driver, as one action: the boxes of a missing
// driver (the start-up check's and the activation's own), one request only, nothing stored.
TEST(DriverActionTest, CommandLineStartAgainstAStalledDriverShowsTheMissingDriverBoxesOnce) {
  sim::StandInSettings s;
  s.stallAll = true;
  ScriptedDriver transport(s);
  CDriverChannel driver(transport);
  MemoryRegistry registry;
  RecordingPrompts prompts;
  DriverAction startup(driver);
  EXPECT_EQ(0, driver.IsActive());  // the palette's own question comes first
  CheckDriverAtStartup(driver, prompts);
  EXPECT_EQ(-1, SetActivation(driver, registry, prompts, 1));
  EXPECT_EQ((std::vector<int>{kErrDriverMissing, kErrDriverMissing}), prompts.Ids());
  EXPECT_EQ((std::vector<std::int32_t>{1}), transport.requests);
  EXPECT_EQ(nullptr, registry.Find(kGeneralKey, kActivateStateValue));
}

}  // namespace
}  // namespace velmora
