#include <gtest/gtest.h>

#include "framework/format_string.h"

namespace framework {
namespace {

TEST(FormatString1Test, ReplacesEveryPlaceholderAndLeavesOtherPercentSigns) {
  EXPECT_EQ("<C:\\A&B>", FormatString1("<%1>", "C:\\A&B"));
  EXPECT_EQ("x-x", FormatString1("%1-%1", "x"));
  EXPECT_EQ("100% %2 %", FormatString1("100% %2 %", "x"));
  EXPECT_EQ("", FormatString1("%1", ""));
}

}  // namespace
}  // namespace framework
