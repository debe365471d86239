// The framework's reading of a signed integer typed into a box.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// A box is read through a 32-byte buffer: only this many characters count.
constexpr std::size_t kIntegerFieldChars = 31;

// Blanks or tabs, an optional sign, decimal digits, blanks or tabs. Zero is taken only when the
// first character after the leading blanks is the digit 0 (so "-0" and "+0" are refused).
// Numbers beyond the 32-bit range are clamped to its ends, as the C library's reading does;
// the caller's range check then names the range that fits. Empty when refused.
std::optional<std::int32_t> ParseIntegerField(std::string_view text);

// The text the framework writes into a box for a value.
std::string FormatIntegerField(std::int32_t value);

}  // namespace framework
