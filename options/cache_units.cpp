#include "options/cache_units.h"

#include <limits>

namespace velmora {
namespace {

constexpr std::int64_t kStoredMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kKiloMax = static_cast<std::int32_t>(kStoredMax / 1024);
constexpr std::int32_t kHoursMax = static_cast<std::int32_t>(kStoredMax / 3600);
constexpr std::int32_t kMinutesMax = static_cast<std::int32_t>(kStoredMax / 60);

}  // namespace

std::int32_t ShownFromStoredKilo(std::uint32_t stored) { return static_cast<std::int32_t>(stored) / 1024; }

void SplitRefreshTimer(std::uint32_t stored, std::int32_t* hours, std::int32_t* minutes, std::int32_t* seconds) {
  const auto value = static_cast<std::int32_t>(stored);
  *hours = value / 3600;
  *minutes = (value / 60) % 60;
  *seconds = value % 60;
}

std::uint32_t StoredFromShownKilo(std::int32_t shown) { return static_cast<std::uint32_t>(shown) << 10; }

std::uint32_t StoredRefreshTimer(std::int32_t hours, std::int32_t minutes, std::int32_t seconds) {
  return static_cast<std::uint32_t>(hours) * 3600u + static_cast<std::uint32_t>(minutes) * 60u +
         static_cast<std::uint32_t>(seconds);
}

bool BlockSizeChanged(const CacheFields& shown, const CacheFields& stored) {
  return shown.blockSize != stored.blockSize;
}
bool MaxSizeChanged(const CacheFields& shown, const CacheFields& stored) { return shown.maxSize != stored.maxSize; }
bool RefreshTimerChanged(const CacheFields& shown, const CacheFields& stored) {
  return shown.hours != stored.hours || shown.minutes != stored.minutes || shown.seconds != stored.seconds;
}
bool CacheSettingsChanged(const CacheFields& shown, const CacheFields& stored) {
  return BlockSizeChanged(shown, stored) || MaxSizeChanged(shown, stored) || RefreshTimerChanged(shown, stored);
}

std::optional<RangeRefusal> FindRangeRefusal(const CacheFields& shown, const CacheFields& stored) {
  auto outside = [](std::int32_t v, std::int32_t max) { return v < 0 || v > max; };
  if (BlockSizeChanged(shown, stored) && outside(shown.blockSize, kKiloMax)) {
    return RangeRefusal{CacheBox::kBlockSize, 0, kKiloMax};
  }
  if (RefreshTimerChanged(shown, stored)) {
    if (outside(shown.hours, kHoursMax)) return RangeRefusal{CacheBox::kHours, 0, kHoursMax};
    if (outside(shown.minutes, kMinutesMax)) return RangeRefusal{CacheBox::kMinutes, 0, kMinutesMax};
    if (shown.seconds < 0) return RangeRefusal{CacheBox::kSeconds, 0, static_cast<std::int32_t>(kStoredMax)};
    const std::int64_t hours = std::int64_t{shown.hours} * 3600;
    const std::int64_t minutes = std::int64_t{shown.minutes} * 60;
    const std::int64_t seconds = shown.seconds;
    if (hours + minutes + seconds > kStoredMax) {
      // Each part fits alone but not the sum: refuse the first box, in the page's order, that
      // can be given a value other than 0 beside the other two as they stand, naming what fits.
      const struct {
        CacheBox box;
        std::int64_t others;
        std::int64_t unit;
      } parts[] = {{CacheBox::kHours, minutes + seconds, 3600},
                   {CacheBox::kMinutes, hours + seconds, 60},
                   {CacheBox::kSeconds, hours + minutes, 1}};
      for (const auto& part : parts) {
        const std::int64_t fits = part.others > kStoredMax ? 0 : (kStoredMax - part.others) / part.unit;
        if (fits > 0) return RangeRefusal{part.box, 0, static_cast<std::int32_t>(fits)};
      }
      // No single box can make room (two hold too much): the hours that fit beside minutes and
      // seconds within their spins' ranges.
      return RangeRefusal{CacheBox::kHours, 0, static_cast<std::int32_t>((kStoredMax - 59 * 60 - 59) / 3600)};
    }
  }
  if (MaxSizeChanged(shown, stored) && outside(shown.maxSize, kKiloMax)) {
    return RangeRefusal{CacheBox::kMaxSize, 0, kKiloMax};
  }
  return std::nullopt;
}

std::int32_t BlockSizeStep(std::int32_t position, std::int32_t step) {
  if (position == 2 && step == 1) return 2;
  if (position == 4 && step == -1) return -2;
  return step;
}

}  // namespace velmora
