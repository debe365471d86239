// Upper case of 8-bit text as the system's Western code page has it: what portable code
// compares after, and what tests expect of the system's own upper-casing.
#pragma once
#include <string>
#include <string_view>

namespace velmora {

std::string UpperCase8Bit(std::string_view text);

}  // namespace velmora
