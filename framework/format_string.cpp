#include "framework/format_string.h"

namespace framework {

std::string FormatString1(const std::string& pattern, const std::string& arg) {
  std::string out;
  out.reserve(pattern.size() + arg.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '1') {
      out += arg;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace framework
