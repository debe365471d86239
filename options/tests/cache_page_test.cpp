#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry_names.h"
#include "options/cache_page.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

// Boxes that hold what was shown, or what the test typed; they record what the page did.
class FakeBoxes : public CacheBoxes {
 public:
  void Show(const CacheFields& shown) override {
    inBoxes = shown;
    events.push_back("show");
  }
  bool ReadBoxes(CacheFields* shown) override {
    *shown = inBoxes;
    return holdNumbers;
  }
  void Refuse(const RangeRefusal& refusal) override {
    refused.push_back(refusal.box);
    events.push_back("refuse");
  }
  void SetRanges() override { events.push_back("ranges"); }
  void SetModified(bool modified) override { events.push_back(modified ? "modified" : "unmodified"); }

  CacheFields inBoxes{};
  bool holdNumbers = true;
  std::vector<std::string> events;
  std::vector<CacheBox> refused;
};

class CachePageTest : public ::testing::Test {
 protected:
  void Store(std::uint32_t block, std::uint32_t max, std::uint32_t timer) {
    reg.WriteDword(kCacheKey, "BlockSize", block);
    reg.WriteDword(kCacheKey, "MaxSize", max);
    reg.WriteDword(kCacheKey, "RefreshTimer", timer);
  }
  std::uint32_t Dword(const char* name) {
    std::uint32_t v = 0;
    EXPECT_EQ(0, reg.ReadDword(kCacheKey, name, &v)) << name;
    return v;
  }
  MemoryRegistry reg;
  testing::RecordingPrompts prompts;
  FakeBoxes boxes;
  CachePage page{reg, prompts, boxes};
};

TEST_F(CachePageTest, OpeningReadsOnceShowsAfterTheRangesAndWritesNothing) {
  Store(4096, 51200, 3725);
  const std::size_t writes = reg.Log().size();
  page.Open();
  EXPECT_EQ((std::vector<std::string>{"show", "ranges", "show"}), boxes.events);
  EXPECT_EQ(writes, reg.Log().size());
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_TRUE(page.ready());
  EXPECT_FALSE(page.Changed());
}

TEST_F(CachePageTest, OpeningWithoutStoredValuesWritesTheDefaultsBackAndShowsThemAsRead) {
  page.Open();
  EXPECT_EQ((std::vector<int>{20002, 20003, 20004}), prompts.Ids()) << "the second read finds the defaults";
  EXPECT_EQ(2048u, Dword("BlockSize"));
  EXPECT_EQ(20480u, Dword("MaxSize"));
  EXPECT_EQ(600u, Dword("RefreshTimer"));
  // Load, write-back, ranges, show; then the repeated load counts the page unchanged.
  EXPECT_EQ((std::vector<std::string>{"show", "ranges", "show", "show", "unmodified"}), boxes.events);
  EXPECT_EQ(600 / 60, page.stored().minutes);
  EXPECT_FALSE(page.Changed());
}

// A standard user on a machine where nothing was stored: nothing can be read, nothing written.
TEST_F(CachePageTest, AValueThatCanNeitherBeReadNorWrittenBackIsToldOncePerOpening) {
  for (const char* name : {"BlockSize", "MaxSize", "RefreshTimer"}) reg.FailWrites(kCacheKey, name, 5);
  page.Open();
  EXPECT_EQ((std::vector<int>{20002, 20003, 20004, 20005, 20006, 20007}), prompts.Ids())
      << "each read error, then each write error of its default, once: not again for the repeated load";
  prompts.boxes.clear();
  EXPECT_TRUE(page.Apply());  // OK or Apply without a change: nothing new to tell
  EXPECT_TRUE(prompts.boxes.empty());
  boxes.inBoxes.maxSize = 30;  // the user's own value: its refusal is told
  EXPECT_TRUE(page.Apply());
  EXPECT_EQ((std::vector<int>{20006}), prompts.Ids());
  EXPECT_FALSE(reg.Find(kCacheKey, "MaxSize"));
}

TEST_F(CachePageTest, ApplyStoresOnlyTheChangedValueAndReadsItBack) {
  Store(2048, 20480, 600);
  page.Open();
  boxes.events.clear();
  boxes.inBoxes.maxSize = 30;
  EXPECT_TRUE(page.Changed());
  const std::size_t writes = reg.Log().size();
  EXPECT_TRUE(page.Apply());
  ASSERT_EQ(writes + 1, reg.Log().size());
  EXPECT_EQ(30720u, Dword("MaxSize"));
  EXPECT_EQ((std::vector<std::string>{"show", "unmodified"}), boxes.events);
  EXPECT_EQ(30, page.stored().maxSize);
  EXPECT_FALSE(page.Changed());
}

TEST_F(CachePageTest, ARefusedApplyStoresNothingAndKeepsWhatWasTyped) {
  Store(2048, 20480, 600);
  page.Open();
  const std::size_t writes = reg.Log().size();

  boxes.inBoxes.maxSize = 3000000;  // does not fit once in Kbytes
  EXPECT_FALSE(page.Leave());
  EXPECT_FALSE(page.Apply());
  EXPECT_EQ((std::vector<CacheBox>{CacheBox::kMaxSize, CacheBox::kMaxSize}), boxes.refused);
  EXPECT_EQ(3000000, page.shown().maxSize);

  boxes.inBoxes.maxSize = 25;
  boxes.holdNumbers = false;  // another box holds no number: refused there, not by range
  EXPECT_FALSE(page.Apply());
  EXPECT_FALSE(page.Leave());
  EXPECT_EQ(2u, boxes.refused.size());
  EXPECT_EQ(writes, reg.Log().size());
  EXPECT_EQ(20480u, Dword("MaxSize"));
}

TEST_F(CachePageTest, BeforeTheFirstShowTheBoxesAreNotRead) {
  boxes.inBoxes = CacheFields{9, 9, 9, 9, 9};
  EXPECT_TRUE(page.Changed()) << "nothing read yet: the timer is marked unread";
  EXPECT_EQ(0, page.shown().blockSize);
}

}  // namespace
}  // namespace velmora
