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

// The range refusal fills both markers; an argument that itself reads "%2" must stay as typed.
TEST(FormatString2Test, FillsBothMarkersOncePerPlaceAndNeverFormatsAnArgument) {
  EXPECT_EQ("between 0 and 59.", FormatString2("between %1 and %2.", "0", "59"));
  EXPECT_EQ("b a b", FormatString2("%2 %1 %2", "a", "b"));
  EXPECT_EQ("%2-x", FormatString2("%1-%2", "%2", "x"));
  EXPECT_EQ("%3 %", FormatString2("%3 %", "a", "b"));
}

}  // namespace
}  // namespace framework
