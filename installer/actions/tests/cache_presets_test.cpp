#include <gtest/gtest.h>

#include "installer/actions/cache_presets.h"

namespace velmora::setup {
namespace {

using Kind = PresetReading::Kind;

const CachePresetRule& Rule(std::size_t i) { return CachePresetRules()[i]; }

TEST(CachePresetsTest, TextsReadInThePagesUnitsAndRangesAndStoreAsThePageDoes) {
  constexpr std::uint32_t kRefused = 0xFFFFFFFF;
  constexpr std::uint32_t kNotGiven = 0xFFFFFFFE;
  const struct {
    std::size_t rule;
    const char* text;
    std::uint32_t stored;
  } cases[] = {
      {0, "", kNotGiven},           {0, "1", 1024},          {0, "2", 2048},        {0, "4", 4096},
      {0, "04", 4096},              {0, "3", kRefused},      {0, "0", kRefused},    {0, "8", kRefused},
      {1, "16", 16384},             {1, "19999", 20478976},  {1, "15", kRefused},   {1, "20000", kRefused},
      {2, "0", 0},                  {2, "3599999", 3599999}, {2, "3600000", kRefused},
      {1, "-20", kRefused},         {1, "+20", kRefused},    {1, " 20", kRefused},  {1, "20 ", kRefused},
      {1, "2e3", kRefused},         {1, "0x20", kRefused},   {1, "twenty", kRefused},
      {2, "000000000000000000000000600", 600},               {2, "99999999999999999999999", kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(Rule(c.rule).property) + "=" + c.text);
    const PresetReading r = ReadPreset(Rule(c.rule), c.text);
    if (c.stored == kRefused) {
      EXPECT_EQ(Kind::kRefused, r.kind);
    } else if (c.stored == kNotGiven) {
      EXPECT_EQ(Kind::kNotGiven, r.kind);
    } else {
      ASSERT_EQ(Kind::kGiven, r.kind);
      EXPECT_EQ(c.stored, r.stored);
    }
  }
}

TEST(CachePresetsTest, GivenWinsStoredIsKeptMissingGetsThePagesDefault) {
  const std::uint32_t defaults[] = {2048, 20480, 600};
  for (std::size_t i = 0; i < CachePresetRules().size(); ++i) {
    SCOPED_TRACE(Rule(i).property);
    const PresetReading given{Kind::kGiven, 7};
    const PresetReading absent{Kind::kNotGiven, 0};
    EXPECT_EQ(std::optional<std::uint32_t>(7), PresetToWrite(Rule(i), given, true));
    EXPECT_EQ(std::optional<std::uint32_t>(7), PresetToWrite(Rule(i), given, false));
    EXPECT_EQ(std::nullopt, PresetToWrite(Rule(i), absent, true));
    EXPECT_EQ(std::optional<std::uint32_t>(defaults[i]), PresetToWrite(Rule(i), absent, false));
  }
}

TEST(CachePresetsTest, TheDeferredDataIsThreeFieldsThatRead) {
  const auto all = ReadPresetData("4;64;900");
  ASSERT_TRUE(all);
  EXPECT_EQ(4096u, (*all)[0].stored);
  EXPECT_EQ(65536u, (*all)[1].stored);
  EXPECT_EQ(900u, (*all)[2].stored);
  const auto none = ReadPresetData(";;");
  ASSERT_TRUE(none);
  for (const PresetReading& r : *none) EXPECT_EQ(Kind::kNotGiven, r.kind);
  for (const char* bad : {"", ";", "4;64", "4;64;900;", ";;;", "3;;", ";15;", ";;x"}) {
    EXPECT_FALSE(ReadPresetData(bad)) << bad;
  }
}

TEST(CachePresetsTest, TheRefusalNamesThePropertyWhatWasGivenAndTheRange) {
  EXPECT_EQ("Velmora: CACHEBLOCKSIZE=\"3\" is refused: it takes 1, 2 or 4 (Kbytes). Nothing was installed.",
            RefusalLine(Rule(0), "3"));
  EXPECT_EQ("Velmora: CACHEMAXSIZE=\"15\" is refused: it takes a whole number from 16 to 19999 (Mbytes). "
            "Nothing was installed.",
            RefusalLine(Rule(1), "15"));
  EXPECT_NE(std::string::npos, RefusalLine(Rule(2), "x").find("CACHEREFRESHTIMER=\"x\"")) << RefusalLine(Rule(2), "x");
  EXPECT_NE(std::string::npos, RefusalLine(Rule(2), "x").find("from 0 to 3599999 (seconds)"));
}

}  // namespace
}  // namespace velmora::setup
