#include "installer/actions/recovery_actions.h"

#include <gtest/gtest.h>

namespace velmora::setup {
namespace {

struct RecordingServiceConfig : ServiceConfigPort {
  unsigned long answer = 0;
  std::vector<std::string> services;
  RecoveryPlan plan{};
  unsigned long SetFailureActions(const std::string& service, const RecoveryPlan& given) override {
    services.push_back(service);
    plan = given;
    return answer;
  }
};

TEST(RecoveryActionsTest, AsksOnceForTwoRestartsAfterFiveSecondsThenNothingResetAfterADay) {
  // Accepted (Windows), refused the way Wine refuses, and a service that is not there: one call
  // each time with the same plan, and a log line that tells which.
  for (const unsigned long answer : {0ul, 124ul, 1060ul}) {
    RecordingServiceConfig config;
    config.answer = answer;
    const std::string line = SetStandInRecoveryActions(config);
    ASSERT_EQ(std::vector<std::string>{"vlifs95sim"}, config.services);
    EXPECT_EQ(86400ul, config.plan.resetPeriodSeconds);
    ASSERT_EQ(3u, config.plan.actions.size());
    for (int i : {0, 1}) {
      EXPECT_TRUE(config.plan.actions[i].restart);
      EXPECT_EQ(5000ul, config.plan.actions[i].delayMs);
    }
    EXPECT_FALSE(config.plan.actions[2].restart);
    EXPECT_EQ(0ul, config.plan.actions[2].delayMs);
    EXPECT_EQ(0u, line.rfind("Velmora: ", 0)) << line;
    EXPECT_NE(std::string::npos, line.find("vlifs95sim")) << line;
    EXPECT_EQ(answer != 0, line.find("refused") != std::string::npos) << line;
    if (answer != 0) {
      EXPECT_NE(std::string::npos, line.find("error " + std::to_string(answer))) << line;
    }
  }
}

}  // namespace
}  // namespace velmora::setup
