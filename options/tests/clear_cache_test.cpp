#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "options/clear_cache.h"
#include "options/companion_programs.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::FakeSystem;
using testing::RecordingPrompts;
using testing::ShownBox;

constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;

class ClearCacheTest : public ::testing::Test {
 protected:
  bool Marked() {
    const MemoryRegistry::Value* v = reg.Find(kCacheKey, "ClearCache");
    return v && v->type == kRegSz && v->data == std::vector<std::uint8_t>{'Y', 'E', 'S', 0};
  }
  MemoryRegistry reg;
  RecordingPrompts prompts;
  FakeSystem sys;
};

TEST_F(ClearCacheTest, CancelAtTheFirstQuestionWritesNothing) {
  prompts.answers = {kCancel};
  EXPECT_EQ(ClearCacheOutcome::kDeclined, ClearCache(reg, prompts, sys));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(ShownBox::kMessage, prompts.boxes[0].kind);
  EXPECT_EQ(20027, prompts.boxes[0].id);
  EXPECT_EQ(0x31u, prompts.boxes[0].flags);
  EXPECT_TRUE(reg.Log().empty());
  EXPECT_EQ(0, sys.restarts);
}

TEST_F(ClearCacheTest, OkThenNoMarksTheCacheAndKeepsRunning) {
  prompts.answers = {kOk, kNo};
  EXPECT_EQ(ClearCacheOutcome::kMarkedLater, ClearCache(reg, prompts, sys));
  EXPECT_TRUE(Marked());
  EXPECT_EQ((std::vector<int>{20027, 112}), prompts.Ids());
  EXPECT_EQ(0x2024u, prompts.boxes[1].flags);
  EXPECT_EQ(0, sys.restarts);
}

TEST_F(ClearCacheTest, YesRestartsThroughTheSystem) {
  prompts.answers = {kOk, kYes};
  EXPECT_EQ(ClearCacheOutcome::kRestarting, ClearCache(reg, prompts, sys));
  EXPECT_TRUE(Marked());
  EXPECT_EQ(1, sys.restarts);
  EXPECT_EQ(2u, prompts.boxes.size());
}

TEST_F(ClearCacheTest, ARefusedRestartShows20019WithTheSystemErrorNumber) {
  prompts.answers = {kOk, kYes};
  sys.restartSucceeds = false;
  sys.lastError = 1314;
  EXPECT_EQ(ClearCacheOutcome::kRestartFailed, ClearCache(reg, prompts, sys));
  ASSERT_EQ(3u, prompts.boxes.size());
  EXPECT_EQ(ShownBox::kErrorWithArg, prompts.boxes[2].kind);
  EXPECT_EQ(20019, prompts.boxes[2].id);
  EXPECT_EQ("1314", prompts.boxes[2].arg);
  EXPECT_EQ(0x2010u, prompts.boxes[2].flags);
  EXPECT_EQ(nullptr, prompts.boxes[2].owner);
  EXPECT_TRUE(Marked());  // the mark stays
  sys.lastError = 4294967295u;  // formatted unsigned
  prompts.boxes.clear();
  prompts.answers = {kOk, kYes};
  ClearCache(reg, prompts, sys);
  EXPECT_EQ("4294967295", prompts.boxes.back().arg);
}

TEST_F(ClearCacheTest, AFailedMarkShows20018AndAsksNoMore) {
  reg.FailWrites(kCacheKey, "ClearCache", 5);
  prompts.answers = {kOk};
  EXPECT_EQ(ClearCacheOutcome::kMarkFailed, ClearCache(reg, prompts, sys));
  EXPECT_EQ((std::vector<int>{20027, 20018}), prompts.Ids());
  EXPECT_EQ(0x2010u, prompts.boxes[1].flags);
  EXPECT_EQ(0, sys.restarts);
}

TEST(CompanionProgramTest, StartsFromTheInstallDirAndNamesTheFullPathWhenItCannot) {
  FakeSystem sys;
  RecordingPrompts prompts;
  int page = 0;
  EXPECT_TRUE(StartCompanion(sys, prompts, "C:\\VELMORA", kAgentConfiguration, &page));
  EXPECT_EQ((std::vector<std::string>{"C:\\VELMORA\\Vantor32.EXE"}), sys.started);
  EXPECT_EQ((std::vector<std::string>{"C:\\VELMORA"}), sys.startedDirs);
  EXPECT_TRUE(prompts.boxes.empty());

  sys.runResult = 32;  // 32 and below are failures
  EXPECT_FALSE(StartCompanion(sys, prompts, "C:\\VELMORA", kPerformanceInfo, &page));
  EXPECT_EQ("C:\\VELMORA\\Gauge32.exe", sys.started.back());
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20016, prompts.boxes[0].id);
  EXPECT_EQ("C:\\VELMORA\\Gauge32.EXE", prompts.boxes[0].arg);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(&page, prompts.boxes[0].owner);
}

}  // namespace
}  // namespace velmora
