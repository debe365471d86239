#include "framework/format_string.h"

namespace framework {

namespace {

// "%1" .. "%9" name args[0] .. args[8]; a marker without an argument stays as it stands.
std::string FormatArgs(const std::string& pattern, const std::string* const* args, std::size_t count) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
        static_cast<std::size_t>(pattern[i + 1] - '1') < count) {
      out += *args[pattern[i + 1] - '1'];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

std::string FormatString1(const std::string& pattern, const std::string& arg) {
  const std::string* args[] = {&arg};
  return FormatArgs(pattern, args, 1);
}

std::string FormatString2(const std::string& pattern, const std::string& arg1, const std::string& arg2) {
  const std::string* args[] = {&arg1, &arg2};
  return FormatArgs(pattern, args, 2);
}

}  // namespace framework
