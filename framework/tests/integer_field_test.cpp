#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/integer_field.h"

namespace framework {
namespace {

TEST(IntegerFieldTest, AcceptsBlanksSignDigitsAndTrailingBlanks) {
  const std::pair<const char*, std::int32_t> accepted[] = {
      {"42", 42},       {"  42", 42},   {"\t42", 42},          {"42  ", 42},     {" \t-17\t ", -17},
      {"+5", 5},        {"0", 0},       {"  0  ", 0},          {"000", 0},       {"007", 7},
      {"-2147483648", INT32_MIN},       {"2147483647", INT32_MAX},
  };
  for (const auto& c : accepted) EXPECT_EQ(std::optional<std::int32_t>(c.second), ParseIntegerField(c.first)) << c.first;
}

TEST(IntegerFieldTest, RefusesAnythingElseAnEmptyBoxIncluded) {
  const char* refused[] = {"", "   ", "\t", "-", "+", "1,000", "1 000", "12a", "a12", "0x10", "1.5",
                           "--1", "+-1", "- 1", "\n5", "5\n", "1e3"};
  for (const char* text : refused) EXPECT_EQ(std::nullopt, ParseIntegerField(text)) << '"' << text << '"';
}

TEST(IntegerFieldTest, ZeroOnlyWhenTheFirstCharacterAfterTheBlanksIsTheDigitZero) {
  EXPECT_EQ(std::nullopt, ParseIntegerField("-0"));
  EXPECT_EQ(std::nullopt, ParseIntegerField(" +0 "));
  EXPECT_EQ(std::nullopt, ParseIntegerField("-000"));
  EXPECT_EQ(std::optional<std::int32_t>(0), ParseIntegerField(" 00 "));
  EXPECT_EQ(std::optional<std::int32_t>(-1), ParseIntegerField("-01"));
}

TEST(IntegerFieldTest, OnlyTheFirst31CharactersCount) {
  const std::string blanks30(30, ' ');
  EXPECT_EQ(std::optional<std::int32_t>(7), ParseIntegerField(blanks30 + "7"));
  EXPECT_EQ(std::nullopt, ParseIntegerField(blanks30 + " 7"));  // the digit is the 32nd character
  // Garbage beyond the 31st character is never seen.
  EXPECT_EQ(std::optional<std::int32_t>(12), ParseIntegerField("12" + std::string(29, ' ') + "xyz"));
}

TEST(IntegerFieldTest, NumbersBeyondThe32BitRangeClampToItsEnds) {
  EXPECT_EQ(std::optional<std::int32_t>(INT32_MAX), ParseIntegerField("2147483648"));
  EXPECT_EQ(std::optional<std::int32_t>(INT32_MAX), ParseIntegerField(std::string(31, '9')));
  EXPECT_EQ(std::optional<std::int32_t>(INT32_MIN), ParseIntegerField("-2147483649"));
  EXPECT_EQ(std::optional<std::int32_t>(INT32_MIN), ParseIntegerField("-" + std::string(30, '9')));
}

TEST(IntegerFieldTest, WhatTheFrameworkWritesItReadsBack) {
  for (std::int32_t v : {0, 1, -1, 19999, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(std::optional<std::int32_t>(v), ParseIntegerField(FormatIntegerField(v)));
  }
}

}  // namespace
}  // namespace framework
