#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "options/cache_settings_io.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;

class CacheSettingsIoTest : public ::testing::Test {
 protected:
  std::uint32_t Dword(const char* name) {
    std::uint32_t v = 0;
    EXPECT_EQ(0, reg.ReadDword(kCacheKey, name, &v)) << name;
    return v;
  }
  MemoryRegistry reg;
  RecordingPrompts prompts;
};

TEST_F(CacheSettingsIoTest, StoredValuesShowInTheirUnits) {
  reg.WriteDword(kCacheKey, "BlockSize", 4096);
  reg.WriteDword(kCacheKey, "MaxSize", 51200);
  reg.WriteDword(kCacheKey, "RefreshTimer", 3725);
  const CacheRead r = ReadCacheSettings(reg, prompts);
  EXPECT_TRUE(r.allRead);
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_EQ(4, r.shown.blockSize);
  EXPECT_EQ(50, r.shown.maxSize);
  EXPECT_EQ(1, r.shown.hours);
  EXPECT_EQ(2, r.shown.minutes);
  EXPECT_EQ(5, r.shown.seconds);
  EXPECT_FALSE(CacheSettingsChanged(r.shown, r.stored));
}

TEST_F(CacheSettingsIoTest, NoCacheKeyShowsThreeBoxesInOrderThenWritesTheDefaults) {
  const CacheRead r = ReadCacheSettings(reg, prompts);
  EXPECT_FALSE(r.allRead);
  EXPECT_EQ((std::vector<int>{20002, 20003, 20004}), prompts.Ids());
  for (const auto& b : prompts.boxes) {
    EXPECT_EQ(0x2010u, b.flags);
    EXPECT_EQ(nullptr, b.owner);
  }
  EXPECT_TRUE(reg.Log().empty()) << "nothing is written while reading";
  WriteCacheSettings(reg, prompts, r.shown, r.stored);
  EXPECT_EQ(2048u, Dword("BlockSize"));
  EXPECT_EQ(20480u, Dword("MaxSize"));
  EXPECT_EQ(600u, Dword("RefreshTimer"));
  // Read again: the defaults now are the stored values.
  prompts.boxes.clear();
  const CacheRead again = ReadCacheSettings(reg, prompts);
  EXPECT_TRUE(again.allRead);
  EXPECT_FALSE(CacheSettingsChanged(again.shown, again.stored));
}

TEST_F(CacheSettingsIoTest, AWrongTypeCountsAsMissingAndOnlyThatDefaultIsWritten) {
  reg.WriteDword(kCacheKey, "BlockSize", 3000);
  reg.WriteString(kCacheKey, "MaxSize", "50", 3);
  reg.WriteDword(kCacheKey, "RefreshTimer", 600);
  const auto before = reg.Log().size();
  const CacheRead r = ReadCacheSettings(reg, prompts);
  EXPECT_EQ((std::vector<int>{20003}), prompts.Ids());
  EXPECT_EQ(2, r.shown.blockSize);  // 3000 bytes show as 2 and are left alone
  WriteCacheSettings(reg, prompts, r.shown, r.stored);
  ASSERT_EQ(before + 1, reg.Log().size());
  EXPECT_EQ(20480u, Dword("MaxSize"));
  EXPECT_EQ(3000u, Dword("BlockSize"));
}

TEST_F(CacheSettingsIoTest, OnlyWhatChangedIsWritten) {
  const CacheFields stored{2, 20, 0, 10, 0};
  WriteCacheSettings(reg, prompts, CacheFields{2, 20, 0, 30, 0}, stored);
  ASSERT_EQ(1u, reg.Log().size());
  EXPECT_EQ(1800u, Dword("RefreshTimer"));
  WriteCacheSettings(reg, prompts, stored, stored);
  EXPECT_EQ(1u, reg.Log().size());
  WriteCacheSettings(reg, prompts, CacheFields{2, 1500, 0, 10, 0}, stored);
  EXPECT_EQ(1536000u, Dword("MaxSize"));
}

TEST_F(CacheSettingsIoTest, AFailedWriteIsReportedAndTheLaterWritesStillHappen) {
  reg.FailWrites(kCacheKey, "BlockSize", 5);
  reg.FailWrites(kCacheKey, "MaxSize", 5);
  WriteCacheSettings(reg, prompts, CacheFields{4, 30, 0, 11, 0}, CacheFields{2, 20, 0, 10, 0});
  EXPECT_EQ((std::vector<int>{20005, 20006}), prompts.Ids());
  EXPECT_EQ(660u, Dword("RefreshTimer"));
  reg.FailWrites(kCacheKey, "RefreshTimer", 5);
  prompts.boxes.clear();
  WriteCacheSettings(reg, prompts, CacheFields{2, 20, 0, 12, 0}, CacheFields{2, 20, 0, 10, 0});
  EXPECT_EQ((std::vector<int>{20007}), prompts.Ids());
  EXPECT_EQ(0x2010u, prompts.boxes[0].flags);
}

}  // namespace
}  // namespace velmora
