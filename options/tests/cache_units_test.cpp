#include <gtest/gtest.h>

#include "options/cache_units.h"

namespace velmora {
namespace {

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
  const CacheFields stored{2, 20, 0, 10, 0};
  auto r = FindRangeRefusal(CacheFields{2, 3000000, 0, 10, 0}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kMaxSize, r->box);
  EXPECT_EQ(0, r->min);
  EXPECT_EQ(2097151, r->max);

  r = FindRangeRefusal(CacheFields{-1, 20, 0, 10, 0}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kBlockSize, r->box);

  r = FindRangeRefusal(CacheFields{2, 20, 596524, 10, 0}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kHours, r->box);
  EXPECT_EQ(596523, r->max);

  r = FindRangeRefusal(CacheFields{2, 20, 0, -5, 0}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kMinutes, r->box);

  r = FindRangeRefusal(CacheFields{2, 20, 0, 0, -1}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kSeconds, r->box);

  // Each part fits alone, the sum does not: the hours that still fit beside 59 min 59 s.
  r = FindRangeRefusal(CacheFields{2, 20, 596523, 59, 59}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kHours, r->box);
  EXPECT_EQ(596522, r->max);
  EXPECT_LE(std::int64_t{r->max} * 3600 + 59 * 60 + 59, 2147483647);

  // Minutes and seconds alone too many: the minutes that fit beside the seconds.
  r = FindRangeRefusal(CacheFields{2, 20, 0, 35791394, 2147483000}, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kMinutes, r->box);
  EXPECT_EQ((2147483647 - 2147483000) / 60, r->max);
}

// The range named must be one the user can enter given the other boxes as they stand: never
// "between 0 and 0", and never one that ignores the hours already typed.
TEST(CacheRangeTest, SumRefusalNamesARangeThatFitsBesideTheOtherBoxes) {
  const CacheFields stored{2, 20, 0, 10, 0};
  auto fitsWith = [](CacheFields f, const RangeRefusal& r) {
    (r.box == CacheBox::kHours ? f.hours : r.box == CacheBox::kMinutes ? f.minutes : f.seconds) = r.max;
    return std::int64_t{f.hours} * 3600 + std::int64_t{f.minutes} * 60 + f.seconds <= 2147483647;
  };
  // The fuzz target's finding: 10 minutes beside a second count that fills everything. No
  // minute fits beside those seconds; the seconds that fit beside 10 minutes do.
  CacheFields typed{2, 20, 0, 10, 2147483647};
  auto r = FindRangeRefusal(typed, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kSeconds, r->box);
  EXPECT_EQ(2147483647 - 600, r->max);
  EXPECT_TRUE(fitsWith(typed, *r));

  // Hours typed count against the minutes' range.
  typed = CacheFields{2, 20, 100, 35791394, 2147000000};
  r = FindRangeRefusal(typed, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kMinutes, r->box);
  EXPECT_EQ((2147483647 - 360000 - 2147000000) / 60, r->max);
  EXPECT_TRUE(fitsWith(typed, *r));

  // Minutes and seconds that leave less than an hour: not the hours (0 only), the minutes.
  typed = CacheFields{2, 20, 1, 59, 2147479047};
  r = FindRangeRefusal(typed, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kMinutes, r->box);
  EXPECT_EQ(16, r->max);
  EXPECT_TRUE(fitsWith(typed, *r));

  // Two boxes too full for any single one to make room: a range that is still above 0.
  typed = CacheFields{2, 20, 596523, 35791394, 2147483000};
  r = FindRangeRefusal(typed, stored);
  ASSERT_TRUE(r);
  EXPECT_EQ(CacheBox::kHours, r->box);
  EXPECT_EQ(0, r->min);
  EXPECT_EQ(596522, r->max);
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
