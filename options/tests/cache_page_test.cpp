#include <gtest/gtest.h>

#include <optional>
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
  void ShowControl(const CachePageControl& shownControl) override {
    control = shownControl;
    events.push_back("control");
  }

  CacheFields inBoxes{};
  bool holdNumbers = true;
  std::vector<std::string> events;
  std::vector<CacheBox> refused;
  std::optional<CachePageControl> control;
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

TEST_F(CachePageTest, APolicyValueIsShownLockedAndNeverWritten) {
  Store(2048, 51200, 600);
  reg.WriteDword(kCachePolicyKey, "MaxSize", 32768);  // 32 Mbytes
  reg.WriteDword(kCachePolicyKey, "RefreshTimer", 0x7FFFFFFF);  // beyond the page: no policy
  const std::size_t writes = reg.Log().size();
  page.Open();
  ASSERT_TRUE(boxes.control);
  EXPECT_EQ(SettingOwner::kPolicy, boxes.control->maxSize);
  EXPECT_EQ(SettingOwner::kUser, boxes.control->refreshTimer);
  EXPECT_EQ(CacheNotice::kManaged, boxes.control->notice);
  EXPECT_EQ(32, page.shown().maxSize);

  // Whatever the locked box holds, only the user's own change is stored.
  boxes.inBoxes.maxSize = 40;
  boxes.inBoxes.minutes = 20;
  EXPECT_TRUE(page.Changed());
  EXPECT_TRUE(page.Apply());
  EXPECT_EQ((std::vector<std::string>(reg.Log().begin() + writes, reg.Log().end())),
            (std::vector<std::string>{std::string(kCacheKey) + "\\RefreshTimer"}));
  EXPECT_EQ(51200u, Dword("MaxSize"));
  EXPECT_EQ(32, page.shown().maxSize);
  EXPECT_TRUE(prompts.boxes.empty());

  // A policy value stands in for a stored one that is missing: no read box, nothing written back.
  MemoryRegistry bare;
  bare.WriteDword(kCachePolicyKey, "BlockSize", 4096);
  bare.WriteDword(kCachePolicyKey, "MaxSize", 20480);
  bare.WriteDword(kCachePolicyKey, "RefreshTimer", 60);
  testing::RecordingPrompts quiet;
  FakeBoxes locked;
  CachePage managed{bare, quiet, locked};
  const std::size_t bareWrites = bare.Log().size();
  managed.Open();
  EXPECT_TRUE(quiet.boxes.empty());
  EXPECT_EQ(bareWrites, bare.Log().size());
  EXPECT_EQ(1, managed.shown().minutes);
}

// A user who may read but not change the Cache key (a standard user, an administrator not
// elevated): the page says so, and neither writes nor complains.
TEST_F(CachePageTest, AUserWhoMayNotChangeTheSettingsIsOfferedElevationAndNeverToldOfAWrite) {
  Store(2048, 51200, 600);
  reg.WriteDword(kCachePolicyKey, "BlockSize", 4096);
  reg.RefuseChanges(kCacheKey);
  const std::size_t writes = reg.Log().size();
  page.Open();
  ASSERT_TRUE(boxes.control);
  EXPECT_EQ(SettingOwner::kPolicy, boxes.control->blockSize);
  EXPECT_EQ(SettingOwner::kAdministrator, boxes.control->maxSize);
  EXPECT_TRUE(boxes.control->offerElevation);
  EXPECT_FALSE(boxes.control->clearCacheEnabled);
  EXPECT_EQ(CacheNotice::kAdministratorOnly, boxes.control->notice);
  boxes.inBoxes.maxSize = 40;
  EXPECT_FALSE(page.Changed());
  EXPECT_TRUE(page.Apply());
  EXPECT_EQ(writes, reg.Log().size());
  EXPECT_TRUE(prompts.boxes.empty());

  // Missing values are still told as they are read, but the defaults are not written back.
  MemoryRegistry empty;
  empty.RefuseChanges(kCacheKey);
  testing::RecordingPrompts told;
  FakeBoxes readOnly;
  CachePage standard{empty, told, readOnly};
  standard.Open();
  EXPECT_EQ((std::vector<int>{20002, 20003, 20004}), told.Ids());
  EXPECT_TRUE(empty.Log().empty());
}

TEST(CachePolicyTest, DecidesWhoSetsEachSettingFromThePolicyAndTheUsersRight) {
  struct Case {
    CachePolicy policy;
    bool mayChange;
    SettingOwner block, max, timer;
    CacheNotice notice;
  };
  using O = SettingOwner;
  const Case cases[] = {
      {{}, true, O::kUser, O::kUser, O::kUser, CacheNotice::kNone},
      {{4096, {}, {}}, true, O::kPolicy, O::kUser, O::kUser, CacheNotice::kManaged},
      {{{}, 16384, 0}, true, O::kUser, O::kPolicy, O::kPolicy, CacheNotice::kManaged},
      {{}, false, O::kAdministrator, O::kAdministrator, O::kAdministrator, CacheNotice::kAdministratorOnly},
      {{{}, {}, 600}, false, O::kAdministrator, O::kAdministrator, O::kPolicy, CacheNotice::kAdministratorOnly},
  };
  for (const Case& c : cases) {
    const CachePageControl control = DecideCachePageControl(c.policy, c.mayChange);
    EXPECT_EQ(c.block, control.blockSize);
    EXPECT_EQ(c.max, control.maxSize);
    EXPECT_EQ(c.timer, control.refreshTimer);
    EXPECT_EQ(c.notice, control.notice);
    EXPECT_EQ(c.mayChange, control.clearCacheEnabled);
    EXPECT_EQ(!c.mayChange, control.offerElevation);
    EXPECT_EQ(c.notice == CacheNotice::kNone, control.Unrestricted());
  }

  // Only what the page itself could have stored is a policy; anything else is ignored.
  struct Value {
    const char* name;
    std::uint32_t value;
    bool taken;
  };
  const Value values[] = {
      {"BlockSize", 1024, true},  {"BlockSize", 4096, true},      {"BlockSize", 3072, false},
      {"BlockSize", 0, false},    {"MaxSize", 16384, true},       {"MaxSize", 16383, false},
      {"MaxSize", 20478976, true}, {"MaxSize", 20478977, false},  {"RefreshTimer", 0, true},
      {"RefreshTimer", 3599999, true}, {"RefreshTimer", 3600000, false}, {"RefreshTimer", 0xFFFFFFFF, false},
  };
  for (const Value& v : values) {
    MemoryRegistry reg;
    reg.WriteDword(kCachePolicyKey, v.name, v.value);
    const CachePolicy policy = ReadCachePolicy(reg);
    EXPECT_EQ(v.taken, policy.Any()) << v.name << " " << v.value;
  }
  MemoryRegistry mistyped;
  mistyped.WriteString(kCachePolicyKey, "MaxSize", "16384", 6);
  EXPECT_FALSE(ReadCachePolicy(mistyped).Any());
}

}  // namespace
}  // namespace velmora
