#include "framework/integer_field.h"

#include <limits>

namespace framework {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<std::int32_t> ParseIntegerField(std::string_view text) {
  text = text.substr(0, kIntegerFieldChars);
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t first = i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t digitsStart = i;
  // Accumulate as a negative number so that the smallest value is reachable without overflow.
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (value > -(kMax + 2)) value = value * 10 - (text[i] - '0');  // stops growing once beyond
    ++i;
  }
  if (i == digitsStart) return std::nullopt;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  if (!negative) value = -value;
  if (value < kMin) value = kMin;
  if (value > kMax) value = kMax;
  if (value == 0 && text[first] != '0') return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string FormatIntegerField(std::int32_t value) { return std::to_string(value); }

}  // namespace framework
