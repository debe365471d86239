// Portable text helpers of the framework.
#pragma once
#include <string>

namespace framework {

// Replaces every "%1" in pattern by arg, as the framework's one-argument message formatting does.
std::string FormatString1(const std::string& pattern, const std::string& arg);

}  // namespace framework
