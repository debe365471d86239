#include <gtest/gtest.h>

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "driver/activation.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"
#include "tests/doubles/scripted_driver.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;
using testing::ScriptedDriver;

class ActivationTest : public ::testing::Test {
 protected:
  int Run(std::int32_t state, int requested) {
    transport.Settings().state = state;
    return SetActivation(driver, registry, prompts, requested);
  }
  const MemoryRegistry::Value* Recorded() const { return registry.Find(kGeneralKey, kActivateStateValue); }
  std::uint32_t RecordedState() {
    std::uint32_t v = 99;
    EXPECT_EQ(0, registry.ReadDword(kGeneralKey, kActivateStateValue, &v));
    return v;
  }

  ScriptedDriver transport;
  CDriverChannel driver{transport};
  MemoryRegistry registry;
  RecordingPrompts prompts;
};

TEST_F(ActivationTest, AlreadyInTheRequestedStateSendsAndWritesNothing) {
  for (const auto& [state, requested] : std::vector<std::pair<int, int>>{{3, 1}, {4, 0}, {0, 0}, {-6, 0}, {7, 0}}) {
    transport.requests.clear();
    EXPECT_EQ(0, Run(state, requested)) << state;
    EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1}), transport.requests) << state;
  }
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_TRUE(registry.Log().empty());
}

TEST_F(ActivationTest, ActivatesAnInactiveDriverAndRecordsIt) {
  for (int state : {4, 0, 2}) {
    transport.requests.clear();
    EXPECT_EQ(0, Run(state, 1)) << state;
    EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1, 2}), transport.requests) << state;
    EXPECT_EQ(3, transport.Settings().state);
    EXPECT_EQ(1u, RecordedState());
  }
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ActivationTest, DeactivatesAnActiveDriverAndRecordsIt) {
  EXPECT_EQ(0, Run(3, 0));
  EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1, 3}), transport.requests);
  EXPECT_EQ(4, transport.Settings().state);
  EXPECT_EQ(0u, RecordedState());
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ActivationTest, RefusalShowsTwentyTenMinusTheResultAndKeepsTheRecord) {
  registry.WriteDword(kGeneralKey, kActivateStateValue, 7);
  const std::size_t writes = registry.Log().size();
  for (int r : {-1, -2, -3, -4}) {
    prompts.boxes.clear();
    transport.Settings().refusals = {{2, r}, {3, r}};
    EXPECT_EQ(r, Run(4, 1)) << r;
    EXPECT_EQ(r, Run(3, 0)) << r;
    EXPECT_EQ((std::vector<int>{20010 - r, 20010 - r}), prompts.Ids()) << r;
    EXPECT_EQ(kMbIconHand, prompts.boxes[0].flags);
  }
  EXPECT_EQ(writes, registry.Log().size());
  EXPECT_EQ(7u, RecordedState());
  EXPECT_EQ(3, transport.Settings().state);  // the refused deactivation changed nothing
}

// Results outside -1..-4 would land on unrelated catalogue entries (1 on a registry message,
// -5 on 20015); the program says it does not know the driver's state instead.
TEST_F(ActivationTest, OtherRefusalsShowTheUnknownStateError) {
  for (int r : {1, 2, 10, -5, -6, -100, INT32_MIN, INT32_MAX}) {
    prompts.boxes.clear();
    transport.Settings().refusals = {{2, r}};
    EXPECT_EQ(r, Run(4, 1)) << r;
    EXPECT_EQ((std::vector<int>{kErrUnknownState}), prompts.Ids()) << r;
  }
  EXPECT_EQ(nullptr, Recorded());
  EXPECT_EQ(20011, ErrorForActivationResult(-1));
  EXPECT_EQ(20014, ErrorForActivationResult(-4));
}

TEST_F(ActivationTest, UnreachableDriverAtTheChangeRequestShowsTwentyEleven) {
  transport.failOn = {2};
  EXPECT_EQ(-1, Run(4, 1));
  EXPECT_EQ((std::vector<int>{kErrInitFailed}), prompts.Ids());
  EXPECT_EQ(nullptr, Recorded());
}

TEST_F(ActivationTest, UnusableDriverGetsItsStateErrorAndNoChangeRequest) {
  const std::pair<int, int> rows[] = {{-5, kErrDriverMissing}, {-4, kErrInitDiskSpace}, {-3, kErrInitCacheFailed},
                                      {-2, kErrInitFailed},    {-1, kErrUnknownState},  {1, kErrDisabled}};
  for (const auto& [state, error] : rows) {
    for (int requested : {0, 1}) {
      prompts.boxes.clear();
      transport.requests.clear();
      EXPECT_EQ(-1, Run(state, requested)) << state;
      EXPECT_EQ((std::vector<int>{error}), prompts.Ids()) << state;
      EXPECT_EQ((std::vector<std::int32_t>{1, 1}), transport.requests) << state;
    }
  }
  EXPECT_TRUE(registry.Log().empty());
}

TEST_F(ActivationTest, MissingDriverShowsTwentyFourteen) {
  transport.missing = true;
  EXPECT_EQ(-1, SetActivation(driver, registry, prompts, 1));
  EXPECT_EQ((std::vector<int>{kErrDriverMissing}), prompts.Ids());
}

TEST_F(ActivationTest, ForeignVersionGetsTwentyTwentySixAndNoChangeRequest) {
  transport.Settings().version = {4, 5, 1, 371};
  EXPECT_EQ(-1, Run(4, 1));
  EXPECT_EQ(-1, Run(3, 0));
  EXPECT_EQ((std::vector<int>{kErrWrongDriverVersion, kErrWrongDriverVersion}), prompts.Ids());
  EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1, 1}), transport.requests);
  EXPECT_TRUE(registry.Log().empty());
}

TEST_F(ActivationTest, FailedRecordIsReportedButTheChangeStands) {
  registry.FailWrites(kGeneralKey, kActivateStateValue, 5);
  EXPECT_EQ(0, Run(3, 0));
  EXPECT_EQ((std::vector<int>{kErrSaveActivateState}), prompts.Ids());
  EXPECT_EQ(4, transport.Settings().state);
  EXPECT_EQ(nullptr, Recorded());
}

// Where the driver's service recorded the change as it accepted it, the program writes nothing,
// so a user refused the write (a standard user) sees no box; a stale or mistyped record is
// written, and a refused write of it is still 20017.
TEST(ActivationRecordTest, OnlyARecordThatDiffersIsWritten) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> stored;  // REG_DWORD bytes before the deactivation; empty: none
    bool refused;
    std::vector<int> boxes;
    std::size_t writes;
  } rows[] = {
      {"recorded by the service", {0, 0, 0, 0}, true, {}, 0},
      {"stale record, write refused", {1, 0, 0, 0}, true, {kErrSaveActivateState}, 0},
      {"nothing recorded, write refused", {}, true, {kErrSaveActivateState}, 0},
      {"stale record", {1, 0, 0, 0}, false, {}, 1},
      {"mistyped record", {0, 0}, false, {}, 1},
  };
  for (const auto& row : rows) {
    ScriptedDriver transport;
    transport.Settings().state = 3;
    CDriverChannel driver{transport};
    MemoryRegistry registry;
    RecordingPrompts prompts;
    if (!row.stored.empty()) {
      registry.WriteValue(kGeneralKey, kActivateStateValue, kRegDword, row.stored.data(),
                          static_cast<std::uint32_t>(row.stored.size()));
    }
    if (row.refused) registry.FailWrites(kGeneralKey, kActivateStateValue, 5);
    const std::size_t before = registry.Log().size();
    EXPECT_EQ(0, SetActivation(driver, registry, prompts, 0)) << row.what;
    EXPECT_EQ(4, transport.Settings().state) << row.what;
    EXPECT_EQ(row.boxes, prompts.Ids()) << row.what;
    EXPECT_EQ(row.writes, registry.Log().size() - before) << row.what;
  }
}

TEST_F(ActivationTest, EachCheckTakesTheDriversAnswerAsItComes) {
  // The driver turns active between the version check and the state question: nothing to do.
  transport.beforeAnswer = [](ScriptedDriver& d, std::int32_t) {
    if (d.requests.size() == 3) d.Settings().state = 3;
  };
  EXPECT_EQ(0, Run(4, 1));
  EXPECT_EQ((std::vector<std::int32_t>{1, 1, 1}), transport.requests);
  EXPECT_EQ(nullptr, Recorded());
}

}  // namespace
}  // namespace velmora
