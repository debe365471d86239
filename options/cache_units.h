// The Cache page's three settings: how the stored registry units become the units the user
// sees and back, what counts as a change, and which typed values can be stored at all.
#pragma once
#include <cstdint>
#include <optional>

namespace velmora {

// The five boxes of the page, in the units shown: Kbytes, Mbytes, hours, minutes, seconds.
// The same shape holds the values as last read.
struct CacheFields {
  std::int32_t blockSize;
  std::int32_t maxSize;
  std::int32_t hours;
  std::int32_t minutes;
  std::int32_t seconds;
};

// What the page shows when a value cannot be read: 2 Kbytes, 20 Mbytes, 0 h 10 min 0 s.
constexpr CacheFields kShownCacheDefaults{2, 20, 0, 10, 0};
// The remembered values before a read: the timer's -1 marks "not read".
constexpr CacheFields kStoredBeforeRead{0, 0, -1, -1, -1};

// What the page's spins can show, in the units shown. The block-size spin steps over 3
// (BlockSizeStep), so its choices are 1, 2 and 4; the timer's spins together reach
// 999 h 59 min 59 s. The installer's presets and the policy template take the same ranges.
struct ShownRange {
  std::int32_t min;
  std::int32_t max;
};
constexpr ShownRange kBlockSizeSpinRange{1, 4};
constexpr ShownRange kMaxSizeSpinRange{16, 19999};
constexpr ShownRange kHoursSpinRange{0, 999};
constexpr ShownRange kMinutesSpinRange{0, 59};
constexpr ShownRange kSecondsSpinRange{0, 59};
constexpr std::int32_t kBlockSizeChoices[] = {1, 2, 4};

// Stored unit to shown unit: 32-bit signed division by 1024, dropping the remainder.
std::int32_t ShownFromStoredKilo(std::uint32_t stored);
// Seconds into hours, minutes of the hour, seconds of the minute (signed 32-bit arithmetic).
void SplitRefreshTimer(std::uint32_t stored, std::int32_t* hours, std::int32_t* minutes, std::int32_t* seconds);

// Shown unit to stored unit; callers check FindRangeRefusal first, so nothing wraps.
std::uint32_t StoredFromShownKilo(std::int32_t shown);
std::uint32_t StoredRefreshTimer(std::int32_t hours, std::int32_t minutes, std::int32_t seconds);

bool BlockSizeChanged(const CacheFields& shown, const CacheFields& stored);
bool MaxSizeChanged(const CacheFields& shown, const CacheFields& stored);
bool RefreshTimerChanged(const CacheFields& shown, const CacheFields& stored);
bool CacheSettingsChanged(const CacheFields& shown, const CacheFields& stored);

enum class CacheBox { kBlockSize, kMaxSize, kHours, kMinutes, kSeconds };

// A value whose stored form does not fit 0..2147483647, and the range the box would accept.
struct RangeRefusal {
  CacheBox box;
  std::int32_t min;
  std::int32_t max;
};

// The first box, in the page's exchange order, whose changed value cannot be stored unwrapped.
// Unchanged values are not written and so never refused. Values beyond the spin ranges that
// still fit are accepted.
std::optional<RangeRefusal> FindRangeRefusal(const CacheFields& shown, const CacheFields& stored);

// The block-size spin moves 1 -> 2 -> 4 and back: it steps over 3.
std::int32_t BlockSizeStep(std::int32_t position, std::int32_t step);

}  // namespace velmora
