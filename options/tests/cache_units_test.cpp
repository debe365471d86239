#include <gtest/gtest.h>

#include "options/cache_units.h"

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace velmora {
namespace {

// Whether the timer fits in 32 bits with the refused box set to the top of the range named.
bool FitsWith(CacheFields f, const RangeRefusal& r) {
  if (r.box == CacheBox::kHours) f.hours = r.max;
  if (r.box == CacheBox::kMinutes) f.minutes = r.max;
  if (r.box == CacheBox::kSeconds) f.seconds = r.max;
  return std::int64_t{f.hours} * 3600 + std::int64_t{f.minutes} * 60 + f.seconds <= 2147483647;
}

struct RefusalCase {
  const char* why;
  CacheFields typed;
  CacheBox box;
  std::optional<std::int32_t> max;  // checked where given
  bool fitsAlone;                   // the range alone makes room beside the other boxes
};

// Each typed set, beside the stored defaults, is refused for its box with a range from 0.
void ExpectRefusals(std::initializer_list<RefusalCase> cases) {
  const CacheFields stored{2, 20, 0, 10, 0};
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.why);
    const auto r = FindRangeRefusal(c.typed, stored);
    ASSERT_TRUE(r);
    EXPECT_EQ(c.box, r->box);
    EXPECT_EQ(0, r->min);
    if (c.max) {
      EXPECT_EQ(*c.max, r->max);
    }
    EXPECT_EQ(c.fitsAlone, FitsWith(c.typed, *r));
  }
}

TEST(CacheUnitsTest, StoredUnitsShowTruncatedTowardZero) {
  EXPECT_EQ(2, ShownFromStoredKilo(3000));
  EXPECT_EQ(4, ShownFromStoredKilo(4096));
  EXPECT_EQ(50, ShownFromStoredKilo(51200));
  EXPECT_EQ(0, ShownFromStoredKilo(1023));
  // A stored value above 2^31 is a negative 32-bit number; it divides toward zero.
  EXPECT_EQ(0, ShownFromStoredKilo(0xFFFFFFFFu));
  EXPECT_EQ(-2097152, ShownFromStoredKilo(0x80000000u));
}

TEST(CacheUnitsTest, TimerSplitsIntoHoursMinutesSeconds) {
  std::int32_t h = 0, m = 0, s = 0;
  SplitRefreshTimer(3725, &h, &m, &s);
  EXPECT_EQ(1, h);
  EXPECT_EQ(2, m);
  EXPECT_EQ(5, s);
  SplitRefreshTimer(600, &h, &m, &s);
  EXPECT_EQ(0, h);
  EXPECT_EQ(10, m);
  EXPECT_EQ(0, s);
  SplitRefreshTimer(4500, &h, &m, &s);
  EXPECT_EQ(1, h);
  EXPECT_EQ(15, m);
  SplitRefreshTimer(0xFFFFFFFFu, &h, &m, &s);  // -1 seconds
  EXPECT_EQ(0, h);
  EXPECT_EQ(0, m);
  EXPECT_EQ(-1, s);
}

TEST(CacheUnitsTest, ShownUnitsStoreBackAndRoundTrip) {
  EXPECT_EQ(2048u, StoredFromShownKilo(2));
  EXPECT_EQ(1536000u, StoredFromShownKilo(1500));
  EXPECT_EQ(4500u, StoredRefreshTimer(0, 75, 0));
  EXPECT_EQ(3725u, StoredRefreshTimer(1, 2, 5));
  for (std::uint32_t stored : {0u, 59u, 600u, 3725u, 86399u, 2147483647u}) {
    std::int32_t h = 0, m = 0, s = 0;
    SplitRefreshTimer(stored, &h, &m, &s);
    EXPECT_EQ(stored, StoredRefreshTimer(h, m, s));
  }
}

TEST(CacheUnitsTest, ChangeDetectionLooksAtEachValue) {
  const CacheFields stored{4, 50, 1, 2, 5};
  EXPECT_FALSE(CacheSettingsChanged(stored, stored));
  CacheFields shown = stored;
  shown.minutes = 30;
  EXPECT_TRUE(RefreshTimerChanged(shown, stored));
  EXPECT_FALSE(BlockSizeChanged(shown, stored));
  EXPECT_FALSE(MaxSizeChanged(shown, stored));
  EXPECT_TRUE(CacheSettingsChanged(shown, stored));
  // Nothing read yet: every default differs, so every default gets written.
  EXPECT_TRUE(BlockSizeChanged(kShownCacheDefaults, kStoredBeforeRead));
  EXPECT_TRUE(MaxSizeChanged(kShownCacheDefaults, kStoredBeforeRead));
  EXPECT_TRUE(RefreshTimerChanged(kShownCacheDefaults, kStoredBeforeRead));
}

TEST(CacheRangeTest, ValuesThatFitAreAcceptedBeyondTheSpinRanges) {
  const CacheFields stored{2, 20, 0, 10, 0};
  EXPECT_FALSE(FindRangeRefusal(CacheFields{2, 20, 0, 75, 0}, stored));
  EXPECT_FALSE(FindRangeRefusal(CacheFields{2, 2097151, 596523, 0, 0}, stored));
  EXPECT_FALSE(FindRangeRefusal(CacheFields{2, 20, 0, 0, 2147483647}, stored));
}

TEST(CacheRangeTest, RefusesNegativeAndWrappingValuesNamingTheRangeThatFits) {
  ExpectRefusals({
      {"a size that would wrap", CacheFields{2, 3000000, 0, 10, 0}, CacheBox::kMaxSize, 2097151, true},
      {"a negative block size", CacheFields{-1, 20, 0, 10, 0}, CacheBox::kBlockSize, std::nullopt, true},
      {"hours that would wrap", CacheFields{2, 20, 596524, 10, 0}, CacheBox::kHours, 596523, true},
      {"negative minutes", CacheFields{2, 20, 0, -5, 0}, CacheBox::kMinutes, std::nullopt, true},
      {"negative seconds", CacheFields{2, 20, 0, 0, -1}, CacheBox::kSeconds, std::nullopt, true},
      // Each part fits alone, the sum does not: the hours that still fit beside 59 min 59 s.
      {"a sum that would wrap", CacheFields{2, 20, 596523, 59, 59}, CacheBox::kHours, 596522, true},
      // Minutes and seconds alone too many: the minutes that fit beside the seconds.
      {"minutes beside many seconds", CacheFields{2, 20, 0, 35791394, 2147483000}, CacheBox::kMinutes,
       (2147483647 - 2147483000) / 60, true},
  });
}

// The range named must be one the user can enter given the other boxes as they stand: never
// "between 0 and 0", and never one that ignores the hours already typed.
TEST(CacheRangeTest, SumRefusalNamesARangeThatFitsBesideTheOtherBoxes) {
  ExpectRefusals({
      // The fuzz target's finding: 10 minutes beside a second count that fills everything. No
      // minute fits beside those seconds; the seconds that fit beside 10 minutes do.
      {"the fuzz finding", CacheFields{2, 20, 0, 10, 2147483647}, CacheBox::kSeconds, 2147483647 - 600, true},
      {"hours typed count against the minutes' range", CacheFields{2, 20, 100, 35791394, 2147000000},
       CacheBox::kMinutes, (2147483647 - 360000 - 2147000000) / 60, true},
      {"minutes and seconds that leave less than an hour: not the hours (0 only), the minutes",
       CacheFields{2, 20, 1, 59, 2147479047}, CacheBox::kMinutes, 16, true},
      {"two boxes too full for any single one to make room: a range that is still above 0",
       CacheFields{2, 20, 596523, 35791394, 2147483000}, CacheBox::kHours, 596522, false},
  });
}

TEST(CacheRangeTest, UnchangedValuesAreNotWrittenSoNeverRefused) {
  // A negative timer read from the registry stays as it is while only the size changes.
  const CacheFields stored{2, 20, 0, 0, -1};
  EXPECT_FALSE(FindRangeRefusal(CacheFields{2, 30, 0, 0, -1}, stored));
  EXPECT_TRUE(FindRangeRefusal(CacheFields{2, 20, 0, 1, -1}, stored));
}

TEST(BlockSizeStepTest, StepsOverThree) {
  EXPECT_EQ(2, BlockSizeStep(2, 1));    // 2 up gives 4
  EXPECT_EQ(-2, BlockSizeStep(4, -1));  // 4 down gives 2
  EXPECT_EQ(1, BlockSizeStep(1, 1));    // 1 up gives 2
  EXPECT_EQ(-1, BlockSizeStep(2, -1));  // 2 down gives 1
  EXPECT_EQ(1, BlockSizeStep(4, 1));    // the spin itself stops at 4
  // Within 1..4 only 1, 2 and 4 are reached.
  for (int start : {1, 2, 4}) {
    for (int dir : {1, -1}) {
      int next = start + BlockSizeStep(start, dir);
      if (next >= 1 && next <= 4) {
        EXPECT_NE(3, next) << start << " " << dir;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
