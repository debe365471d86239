// Portable text helpers of the framework.
#pragma once
#include <string>

namespace framework {

// Replaces every "%1" in pattern by arg, as the framework's one-argument message formatting does.
std::string FormatString1(const std::string& pattern, const std::string& arg);
// Replaces every "%1" by arg1 and every "%2" by arg2, in one pass (an argument's own text is
// never formatted again).
std::string FormatString2(const std::string& pattern, const std::string& arg1, const std::string& arg2);

}  // namespace framework
