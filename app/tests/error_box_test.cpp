#include <gtest/gtest.h>

#include "app/error_box.h"
#include "tests/doubles/string_table.h"

namespace velmora {
namespace {

TEST(ErrorBoxTest, CaptionHasTwoBlanksBeforeTheNumber) {
  EXPECT_EQ("Velmora Error :  14", ErrorCaption(20014));
  EXPECT_EQ("Velmora Error :  0", ErrorCaption(20000));
  EXPECT_EQ("Velmora Error :  27", ErrorCaption(20027));
}

TEST(ErrorBoxTest, TextComesFromTheTableOrFallsBackToTheCaption) {
  const ErrorBoxText known = MakeErrorBox(20014, LookupString(20014));
  EXPECT_EQ("Cannot locate Velmora VxD (VLIFS95.VxD).  Please reinstall Velmora.", known.text);
  const ErrorBoxText missing = MakeErrorBox(20099, LookupString(20099));
  EXPECT_EQ("Velmora Error :  99", missing.caption);
  EXPECT_EQ(missing.caption, missing.text);
}

TEST(ErrorBoxTest, ArgumentFillsThePlaceholderAndAMissingEntryGivesNoText) {
  const ErrorBoxText box = MakeErrorBoxWithArg(20016, LookupString(20016), "C:\\VELMORA\\Vantor32.EXE");
  EXPECT_EQ("Velmora Error :  16", box.caption);
  EXPECT_EQ("Velmora could not execute the program <C:\\VELMORA\\Vantor32.EXE>.  Please reinstall Velmora "
            "or contact your System Administrator.",
            box.text);
  EXPECT_EQ("", MakeErrorBoxWithArg(20099, nullptr, "x").text);
  // The argument is inserted literally, even when it looks like a placeholder itself.
  EXPECT_EQ("a<%1>b", MakeErrorBoxWithArg(20019, "a%1b", "<%1>").text);
}

TEST(ErrorBoxTest, CatalogueIsCompleteWithTheProductsOwnWording) {
  for (unsigned code = 20000; code <= 20027; ++code) EXPECT_NE(nullptr, LookupString(code)) << code;
  EXPECT_STREQ("All error messages shoudl appear after this string.", LookupString(20000));
  EXPECT_STREQ("Velmora could not write Cache Directory Refresh Timer to the  registry; default will be used.",
               LookupString(20007));
  EXPECT_STREQ("Please enter an integer.", LookupString(61712));
  EXPECT_EQ(nullptr, LookupString(20028));
}

}  // namespace
}  // namespace velmora
