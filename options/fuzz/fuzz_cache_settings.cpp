// The Cache page's three values as another program may have left them (any type, any size,
// any bytes), then any numbers typed into the five boxes. Reading must show each value read
// and report each one that is not; what the page writes must always be a proper REG_DWORD
// that reads back as what was shown.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/error_codes.h"
#include "common/registry_names.h"
#include "options/cache_settings_io.h"
#include "options/cache_units.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace {

using namespace velmora;

void Require(bool condition) {
  if (!condition) std::abort();
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Byte() {
    if (m_size == 0) return 0;
    --m_size;
    return *m_data++;
  }
  std::int32_t Int() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<std::int32_t>(v);
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
};

const char* const kNames[3] = {kBlockSizeValue, kMaxSizeValue, kRefreshTimerValue};
const int kReadErrors[3] = {kErrReadBlockSize, kErrReadMaxSize, kErrReadRefreshTimer};

bool IsProperDword(const MemoryRegistry& reg, int i, std::uint32_t* value) {
  const MemoryRegistry::Value* v = reg.Find(kCacheKey, kNames[i]);
  if (v == nullptr || v->type != kRegDword || v->data.size() != 4) return false;
  std::memcpy(value, v->data.data(), 4);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  MemoryRegistry reg;
  bool readable[3];
  std::uint32_t before[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::uint8_t shape = in.Byte();
    if (shape % 8 == 7) {  // missing
      readable[i] = false;
      continue;
    }
    const std::uint32_t type = shape % 3 == 0 ? in.Byte() % 12 : kRegDword;
    std::vector<std::uint8_t> bytes(in.Byte() % 9);
    for (auto& b : bytes) b = in.Byte();
    reg.WriteValue(kCacheKey, kNames[i], type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    readable[i] = IsProperDword(reg, i, &before[i]);
  }

  // Opening the page: one box per value that cannot be read, in order, and the default shown.
  testing::RecordingPrompts prompts;
  const CacheRead first = ReadCacheSettings(reg, prompts);
  std::vector<int> expected;
  for (int i = 0; i < 3; ++i) {
    if (!readable[i]) expected.push_back(kReadErrors[i]);
  }
  Require(prompts.Ids() == expected);
  Require(first.allRead == expected.empty());
  Require(first.shown.blockSize == (readable[0] ? ShownFromStoredKilo(before[0]) : kShownCacheDefaults.blockSize));
  Require(first.shown.maxSize == (readable[1] ? ShownFromStoredKilo(before[1]) : kShownCacheDefaults.maxSize));
  if (readable[2]) {
    const auto total = static_cast<std::int32_t>(before[2]);
    Require(std::int64_t{first.shown.hours} * 3600 + first.shown.minutes * 60 + first.shown.seconds == total);
  } else {
    Require(first.stored.hours == -1 && first.shown.minutes == 10);
  }

  // The defaults are written back at once; values read are left alone, byte for byte.
  prompts.boxes.clear();
  Require(!FindRangeRefusal(first.shown, first.stored));
  WriteCacheSettings(reg, prompts, first.shown, first.stored);
  Require(prompts.boxes.empty());
  const std::uint32_t defaults[3] = {2048, 20480, 600};
  for (int i = 0; i < 3; ++i) {
    std::uint32_t now = 0;
    Require(IsProperDword(reg, i, &now));
    Require(now == (readable[i] ? before[i] : defaults[i]));
  }
  const CacheRead second = ReadCacheSettings(reg, prompts);
  Require(second.allRead && prompts.boxes.empty());
  Require(!CacheSettingsChanged(second.shown, second.stored));

  // Numbers typed into the boxes, then Apply: refused when a changed one cannot be stored,
  // else each changed value is stored and reads back as what was typed.
  CacheFields typed = second.shown;
  const std::uint8_t which = in.Byte();
  if (which & 1) typed.blockSize = in.Int();
  if (which & 2) typed.maxSize = in.Int();
  if (which & 4) typed.hours = in.Int();
  if (which & 8) typed.minutes = in.Int();
  if (which & 16) typed.seconds = in.Int();
  const auto refusal = FindRangeRefusal(typed, second.stored);
  const std::int64_t total = std::int64_t{typed.hours} * 3600 + std::int64_t{typed.minutes} * 60 + typed.seconds;
  auto fits = [](std::int64_t v) { return v >= 0 && v <= 2147483647; };
  const bool storable = (!BlockSizeChanged(typed, second.stored) || fits(std::int64_t{typed.blockSize} * 1024)) &&
                        (!MaxSizeChanged(typed, second.stored) || fits(std::int64_t{typed.maxSize} * 1024)) &&
                        (!RefreshTimerChanged(typed, second.stored) ||
                         (fits(total) && typed.hours >= 0 && typed.minutes >= 0 && typed.seconds >= 0));
  Require(refusal.has_value() != storable);
  if (refusal) {
    Require(refusal->min == 0 && refusal->max > 0);
    // A timer refused for its sum alone names a range that fits beside the other two boxes as
    // typed, unless no single box could hold more than 0 beside the other two.
    const bool partsFit = typed.hours >= 0 && typed.hours <= 596523 && typed.minutes >= 0 &&
                          typed.minutes <= 35791394 && typed.seconds >= 0;
    const bool timerBox = refusal->box == CacheBox::kHours || refusal->box == CacheBox::kMinutes ||
                          refusal->box == CacheBox::kSeconds;
    if (timerBox && partsFit) {
      const std::int64_t h = std::int64_t{typed.hours} * 3600, m = std::int64_t{typed.minutes} * 60, s = typed.seconds;
      const std::int64_t others = refusal->box == CacheBox::kHours     ? m + s
                                  : refusal->box == CacheBox::kMinutes ? h + s
                                                                       : h + m;
      const std::int64_t unit = refusal->box == CacheBox::kHours ? 3600 : refusal->box == CacheBox::kMinutes ? 60 : 1;
      const bool anyBoxHasRoom = m + s <= 2147483647 - 3600 || h + s <= 2147483647 - 60 || h + m <= 2147483647 - 1;
      Require(others + std::int64_t{refusal->max} * unit <= 2147483647 || !anyBoxHasRoom);
    }
    return 0;
  }
  WriteCacheSettings(reg, prompts, typed, second.stored);
  Require(prompts.boxes.empty());
  const CacheRead third = ReadCacheSettings(reg, prompts);
  Require(third.allRead && prompts.boxes.empty());
  Require(third.shown.blockSize == typed.blockSize && third.shown.maxSize == typed.maxSize);
  Require(std::int64_t{third.shown.hours} * 3600 + third.shown.minutes * 60 + third.shown.seconds == total);
  const bool changed[3] = {BlockSizeChanged(typed, second.stored), MaxSizeChanged(typed, second.stored),
                           RefreshTimerChanged(typed, second.stored)};
  for (int i = 0; i < 3; ++i) {
    std::uint32_t now = 0;
    Require(IsProperDword(reg, i, &now));
    Require(!changed[i] || now <= 2147483647u);
  }
  return 0;
}
