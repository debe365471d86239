#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>

#include "tools/vlifs95sim/driver_state.h"
#include "tools/vlifs95sim/stand_in_driver.h"

namespace velmora::sim {
namespace {

// A registry in memory: key\name -> value.
class MemoryRegistry : public DriverRegistry {
 public:
  StoredValue Read(const std::string& key, const std::string& name) override {
    const auto it = values.find(key + "\\" + name);
    return it == values.end() ? StoredValue{} : it->second;
  }
  bool Delete(const std::string& key, const std::string& name) override { return values.erase(key + "\\" + name) > 0; }
  bool WriteDword(const std::string& key, const std::string& name, std::uint32_t v) override {
    Dword(key, name, v);
    ++writes;
    return true;
  }

  void Dword(const std::string& key, const std::string& name, std::uint32_t v) {
    values[key + "\\" + name] = {StoredValue::Kind::Dword, v, ""};
  }
  void Text(const std::string& key, const std::string& name, const std::string& t) {
    values[key + "\\" + name] = {StoredValue::Kind::String, 0, t};
  }
  std::map<std::string, StoredValue> values;
  int writes = 0;
};

TEST(DriverStartUpTest, TakesTheRecordedStateAndLeavesItInPlace) {
  for (const auto& [recorded, expected] : std::map<std::uint32_t, std::int32_t>{{1, 3}, {0, 4}, {7, 4}}) {
    MemoryRegistry r;
    r.Dword(kGeneralKey, "ActivateState", recorded);
    EXPECT_EQ(expected, TakeStartUpState(r, 4).state) << recorded;
    EXPECT_EQ(1u, r.values.count(std::string(kGeneralKey) + "\\ActivateState"));
  }
  MemoryRegistry r;
  EXPECT_EQ(4, TakeStartUpState(r, 4).state);  // never recorded
  r.Text(kGeneralKey, "ActivateState", "1");   // mistyped: not a record
  EXPECT_EQ(4, TakeStartUpState(r, 4).state);
}

TEST(DriverStartUpTest, HonoursTheClearCacheMarkOnce) {
  MemoryRegistry r;
  r.Text(kCacheKey, "ClearCache", "YES");
  EXPECT_TRUE(TakeStartUpState(r, 4).cacheCleared);
  EXPECT_FALSE(TakeStartUpState(r, 4).cacheCleared);  // the mark was consumed
  EXPECT_TRUE(r.values.empty());

  // Anything but the mark the program writes is left alone.
  for (const std::string other : {"NO", "yes", ""}) {
    r.Text(kCacheKey, "ClearCache", other);
    EXPECT_FALSE(TakeStartUpState(r, 4).cacheCleared) << other;
    EXPECT_EQ(1u, r.values.size());
  }
  r.Dword(kCacheKey, "ClearCache", 1);
  EXPECT_FALSE(TakeStartUpState(r, 4).cacheCleared);
}

TEST(DriverSettingsTest, TakesUsableValuesAndKeepsTheRestAsTheyWere) {
  MemoryRegistry r;
  r.Dword(kCacheKey, "BlockSize", 4096);
  r.Dword(kCacheKey, "MaxSize", 51200);
  r.Dword(kCacheKey, "RefreshTimer", 3725);
  const CacheSettingsRead all = ReadCacheSettings(r, CacheSettings{});
  EXPECT_EQ((CacheSettings{4096, 51200, 3725}), all.inEffect);
  EXPECT_EQ(0, all.Result());

  // Missing, mistyped, a block size the cache cannot use, a size beyond the page's range.
  const CacheSettings before{1024, 16384, 0};
  r.values.erase(std::string(kCacheKey) + "\\BlockSize");
  r.Text(kCacheKey, "RefreshTimer", "600");
  CacheSettingsRead read = ReadCacheSettings(r, before);
  EXPECT_EQ((CacheSettings{1024, 51200, 0}), read.inEffect);
  EXPECT_EQ(kRejectedBlockSize | kRejectedRefreshTimer, read.rejected);
  EXPECT_EQ(kSettingsUnusableResult, read.Result());

  r.Dword(kCacheKey, "BlockSize", 3072);
  r.Dword(kCacheKey, "MaxSize", 19999u * 1024 + 1);
  r.Dword(kCacheKey, "RefreshTimer", 0xFFFFFFFFu);  // -1 as the program's 32-bit arithmetic sees it
  read = ReadCacheSettings(r, before);
  EXPECT_EQ(before, read.inEffect);
  EXPECT_EQ(kRejectedBlockSize | kRejectedMaxSize | kRejectedRefreshTimer, read.rejected);

  // The edges of what the page can store are taken.
  r.Dword(kCacheKey, "BlockSize", 1024);
  r.Dword(kCacheKey, "MaxSize", 16 * 1024);
  r.Dword(kCacheKey, "RefreshTimer", 999 * 3600 + 59 * 60 + 59);
  EXPECT_EQ(0u, ReadCacheSettings(r, before).rejected);
}

TEST(DriverSettingsTest, AUsablePolicyValueWinsAndAnUnusableOneIsPassedOver) {
  MemoryRegistry r;
  r.Dword(kCacheKey, "BlockSize", 2048);
  r.Dword(kCacheKey, "MaxSize", 51200);
  r.Dword(kCacheKey, "RefreshTimer", 600);
  struct Case {
    const char* name;
    StoredValue policy;
    CacheSettings expected;
  };
  const Case cases[] = {
      {"BlockSize", {StoredValue::Kind::Dword, 4096, ""}, {4096, 51200, 600}},
      {"MaxSize", {StoredValue::Kind::Dword, 16384, ""}, {2048, 16384, 600}},
      {"RefreshTimer", {StoredValue::Kind::Dword, 0, ""}, {2048, 51200, 0}},
      // Out of range, mistyped: the stored value counts, and nothing is reported unusable.
      {"BlockSize", {StoredValue::Kind::Dword, 3072, ""}, {2048, 51200, 600}},
      {"MaxSize", {StoredValue::Kind::Dword, 19999u * 1024 + 1, ""}, {2048, 51200, 600}},
      {"RefreshTimer", {StoredValue::Kind::Dword, 0xFFFFFFFFu, ""}, {2048, 51200, 600}},
      {"MaxSize", {StoredValue::Kind::String, 0, "16384"}, {2048, 51200, 600}},
  };
  for (const Case& c : cases) {
    MemoryRegistry withPolicy = r;
    withPolicy.values[std::string(kCachePolicyKey) + "\\" + c.name] = c.policy;
    const CacheSettingsRead read = ReadCacheSettings(withPolicy, CacheSettings{});
    EXPECT_EQ(c.expected, read.inEffect) << c.name << " " << c.policy.dword;
    EXPECT_EQ(0u, read.rejected) << c.name;
  }
  // A usable policy value stands in for a stored one that is unusable or missing.
  r.values.clear();
  r.Dword(kCachePolicyKey, "MaxSize", 32768);
  const CacheSettingsRead read = ReadCacheSettings(r, CacheSettings{});
  EXPECT_EQ(32768, read.inEffect.maxSize);
  EXPECT_EQ(kRejectedBlockSize | kRejectedRefreshTimer, read.rejected);
}

std::int32_t StatusWord(StandInDriver& d, std::size_t statusWord) {
  std::vector<std::uint8_t> request(6132, 0);
  request[0] = 1;
  const Answer a = d.Serve(request.data(), request.size());
  std::int32_t w = 0;
  std::memcpy(&w, a.reply.data() + 4 * (statusWord + 1), 4);
  return w;
}

std::int32_t SettingsChanged(StandInDriver& d) {
  std::vector<std::uint8_t> request(6132, 0);
  request[0] = 5;
  return d.Serve(request.data(), request.size()).result;
}

TEST(DriverReportTest, TheStatusRecordCarriesTheSettingsInEffect) {
  MemoryRegistry r;
  r.Dword(kGeneralKey, "ActivateState", 1);
  r.Text(kCacheKey, "ClearCache", "YES");
  StandInDriver d;
  d.SetSettingsSource([&](const CacheSettings& inEffect) { return ReadCacheSettings(r, inEffect); });
  d.StartFrom(TakeStartUpState(r, 4));
  EXPECT_EQ(3, StatusWord(d, 4));
  // Nothing stored yet: the defaults are in effect, and the read says so.
  EXPECT_EQ(kSettingsUnusableResult, StatusWord(d, 5));
  EXPECT_EQ(2048, StatusWord(d, 6));
  EXPECT_EQ(20480, StatusWord(d, 7));
  EXPECT_EQ(600, StatusWord(d, 8));
  EXPECT_EQ(1, StatusWord(d, 11));

  r.Dword(kCacheKey, "BlockSize", 4096);
  r.Dword(kCacheKey, "MaxSize", 51200);
  r.Dword(kCacheKey, "RefreshTimer", 1800);
  EXPECT_EQ(0, SettingsChanged(d));
  EXPECT_EQ((std::vector<std::int32_t>{0, 4096, 51200, 1800, 0, 1, 1}),
            (std::vector<std::int32_t>{StatusWord(d, 5), StatusWord(d, 6), StatusWord(d, 7), StatusWord(d, 8),
                                       StatusWord(d, 9), StatusWord(d, 10), StatusWord(d, 11)}));

  r.Dword(kCacheKey, "BlockSize", 0);
  EXPECT_EQ(kSettingsUnusableResult, SettingsChanged(d));
  EXPECT_EQ(4096, StatusWord(d, 6));
  EXPECT_EQ(static_cast<std::int32_t>(kRejectedBlockSize), StatusWord(d, 9));
  EXPECT_EQ(2, StatusWord(d, 10));
}

// Only an accepted change is recorded, and only where the stored value says otherwise; a value
// of another type is put right.
TEST(DriverStateRecordTest, AnAcceptedChangeIsRecordedWhereTheStoredStateDiffers) {
  const struct {
    const char* what;
    std::int32_t request, result;
    std::optional<StoredValue> before;
    std::optional<std::uint32_t> after;
    int writes;
  } rows[] = {
      {"activate, nothing stored", 2, 0, std::nullopt, 1u, 1},
      {"activate, stored inactive", 2, 0, StoredValue{StoredValue::Kind::Dword, 0, ""}, 1u, 1},
      {"activate, stored active already", 2, 0, StoredValue{StoredValue::Kind::Dword, 1, ""}, 1u, 0},
      {"activate, stored as text", 2, 0, StoredValue{StoredValue::Kind::String, 0, "1"}, 1u, 1},
      {"deactivate, stored active", 3, 0, StoredValue{StoredValue::Kind::Dword, 1, ""}, 0u, 1},
      {"deactivate refused", 3, -2, StoredValue{StoredValue::Kind::Dword, 1, ""}, 1u, 0},
      {"activate refused, nothing stored", 2, -1, std::nullopt, std::nullopt, 0},
      {"status request", 1, 0, std::nullopt, std::nullopt, 0},
      {"settings changed", 5, 0, StoredValue{StoredValue::Kind::Dword, 0, ""}, 0u, 0},
  };
  for (const auto& row : rows) {
    MemoryRegistry r;
    if (row.before) r.values[std::string(kGeneralKey) + "\\ActivateState"] = *row.before;
    RecordAcceptedChange(r, row.request, row.result);
    const StoredValue v = r.Read(kGeneralKey, "ActivateState");
    if (row.after) {
      EXPECT_EQ(StoredValue::Kind::Dword, v.kind) << row.what;
      EXPECT_EQ(*row.after, v.dword) << row.what;
    } else {
      EXPECT_EQ(StoredValue::Kind::Missing, v.kind) << row.what;
    }
    EXPECT_EQ(row.writes, r.writes) << row.what;
  }
}

TEST(DriverReportTest, WithoutARegistryRequestFiveOnlyAnswers) {
  StandInDriver d;
  EXPECT_EQ(0, SettingsChanged(d));
  EXPECT_EQ(2048, StatusWord(d, 6));
  EXPECT_EQ(1, StatusWord(d, 10));
}

}  // namespace
}  // namespace velmora::sim
