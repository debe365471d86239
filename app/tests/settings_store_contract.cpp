#include "app/tests/settings_store_contract.h"

#include <cstring>
#include <string>
#include <vector>

namespace velmora::testing {
namespace {

const std::string kKey = std::string(kContractRoot) + "\\Cache";

std::int32_t WriteRaw(SettingsStore& s, const std::string& key, const char* name, std::uint32_t type,
                      const std::string& bytes) {
  return s.WriteValue(key.c_str(), name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
}

TEST_P(SettingsStoreContract, MissingKeyAndMissingValueReadAsFileNotFound) {
  std::uint32_t v = 7;
  EXPECT_EQ(kErrorFileNotFound, store->ReadDword(kKey.c_str(), "BlockSize", &v));
  EXPECT_EQ(7u, v);
  ASSERT_EQ(kErrorSuccess, store->WriteDword(kKey.c_str(), "Other", 1));
  EXPECT_EQ(kErrorFileNotFound, store->ReadDword(kKey.c_str(), "BlockSize", &v));
  char buf[16];
  std::uint32_t size = sizeof buf;
  EXPECT_EQ(kErrorFileNotFound, store->ReadString(kKey.c_str(), "Missing", buf, &size));
  EXPECT_STREQ("", buf);
}

TEST_P(SettingsStoreContract, DwordWriteCreatesKeyAndParentsAndReadsBack) {
  const std::string deep = std::string(kContractRoot) + "\\A\\B\\C";
  ASSERT_EQ(kErrorSuccess, store->WriteDword(deep.c_str(), "RefreshTimer", 0xFFFFFFFFu));
  std::uint32_t v = 0;
  ASSERT_EQ(kErrorSuccess, store->ReadDword(deep.c_str(), "RefreshTimer", &v));
  EXPECT_EQ(0xFFFFFFFFu, v);
  // The parent exists now: a value can be written and read there without creating anything.
  const std::string parent = std::string(kContractRoot) + "\\A";
  char buf[8];
  std::uint32_t size = sizeof buf;
  EXPECT_EQ(kErrorFileNotFound, store->ReadString(parent.c_str(), "", buf, &size));
}

TEST_P(SettingsStoreContract, KeyAndValueNamesIgnoreCase) {
  const std::string upper = std::string(kContractRoot) + "\\GENERAL";
  const std::string mixed = std::string(kContractRoot) + "\\General";
  ASSERT_EQ(kErrorSuccess, store->WriteDword(upper.c_str(), "ActivateState", 1));
  std::uint32_t v = 0;
  ASSERT_EQ(kErrorSuccess, store->ReadDword(mixed.c_str(), "activatestate", &v));
  EXPECT_EQ(1u, v);
}

TEST_P(SettingsStoreContract, DwordOfAnotherTypeIsInvalidDataOrTooLong) {
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Short", kRegSz, std::string("YES", 4)));
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Long", kRegSz, std::string("20480", 6)));
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Half", kRegDword, std::string("\x01\x02", 2)));
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Bin", kRegBinary, std::string("\x01\x02\x03\x04", 4)));
  std::uint32_t v = 99;
  EXPECT_EQ(kErrorInvalidData, store->ReadDword(kKey.c_str(), "Short", &v));
  EXPECT_EQ(kErrorMoreData, store->ReadDword(kKey.c_str(), "Long", &v));
  // Fewer than four bytes would leave part of the number unset: not a usable DWORD.
  EXPECT_EQ(kErrorInvalidData, store->ReadDword(kKey.c_str(), "Half", &v));
  EXPECT_EQ(kErrorInvalidData, store->ReadDword(kKey.c_str(), "Bin", &v));
  EXPECT_EQ(99u, v);
}

TEST_P(SettingsStoreContract, StringRoundTripsWithItsTerminatorAndDefaultValueHasEmptyName) {
  ASSERT_EQ(kErrorSuccess, store->WriteString(kKey.c_str(), "ClearCache", "YES", 4));
  ASSERT_EQ(kErrorSuccess, store->WriteString(kKey.c_str(), "", "NT.AGENT7", 10));
  char buf[260];
  std::uint32_t size = sizeof buf;
  ASSERT_EQ(kErrorSuccess, store->ReadString(kKey.c_str(), "ClearCache", buf, &size));
  EXPECT_STREQ("YES", buf);
  EXPECT_EQ(4u, size);
  size = sizeof buf;
  ASSERT_EQ(kErrorSuccess, store->ReadString(kKey.c_str(), "", buf, &size));
  EXPECT_STREQ("NT.AGENT7", buf);
  std::uint32_t type = 0;
  std::uint8_t raw[8];
  std::uint32_t rawSize = sizeof raw;
  ASSERT_EQ(kErrorSuccess, store->ReadValue(kKey.c_str(), "ClearCache", &type, raw, &rawSize));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(4u, rawSize);
}

TEST_P(SettingsStoreContract, StringOfAnotherTypeIsInvalidData) {
  ASSERT_EQ(kErrorSuccess, store->WriteDword(kKey.c_str(), "InstalledDirectory", 5));
  char buf[260] = "stale";
  std::uint32_t size = sizeof buf;
  EXPECT_EQ(kErrorInvalidData, store->ReadString(kKey.c_str(), "InstalledDirectory", buf, &size));
  EXPECT_STREQ("", buf);
}

TEST_P(SettingsStoreContract, StringMustFitWithItsTerminator) {
  char buf[260];
  const std::string fits(259, 'a');
  ASSERT_EQ(kErrorSuccess, store->WriteString(kKey.c_str(), "Fits", fits.c_str(), 260));
  std::uint32_t size = sizeof buf;
  ASSERT_EQ(kErrorSuccess, store->ReadString(kKey.c_str(), "Fits", buf, &size));
  EXPECT_EQ(fits, std::string(buf));

  const std::string tooLong(260, 'b');
  ASSERT_EQ(kErrorSuccess, store->WriteString(kKey.c_str(), "TooLong", tooLong.c_str(), 261));
  size = sizeof buf;
  EXPECT_EQ(kErrorMoreData, store->ReadString(kKey.c_str(), "TooLong", buf, &size));
  EXPECT_STREQ("", buf);
}

TEST_P(SettingsStoreContract, UnterminatedStringComesBackTerminatedOrTooLong) {
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Short", kRegSz, "C:\\VEL"));
  char buf[260];
  std::memset(buf, 'x', sizeof buf);
  std::uint32_t size = sizeof buf;
  ASSERT_EQ(kErrorSuccess, store->ReadString(kKey.c_str(), "Short", buf, &size));
  EXPECT_STREQ("C:\\VEL", buf);

  // 260 bytes without a terminator leave no room for one in a 260-byte buffer.
  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Full", kRegSz, std::string(260, 'c')));
  std::memset(buf, 'x', sizeof buf);
  size = sizeof buf;
  EXPECT_EQ(kErrorMoreData, store->ReadString(kKey.c_str(), "Full", buf, &size));
  EXPECT_STREQ("", buf);

  ASSERT_EQ(kErrorSuccess, WriteRaw(*store, kKey, "Empty", kRegSz, std::string()));
  std::memset(buf, 'x', sizeof buf);
  size = sizeof buf;
  ASSERT_EQ(kErrorSuccess, store->ReadString(kKey.c_str(), "Empty", buf, &size));
  EXPECT_STREQ("", buf);
}

TEST_P(SettingsStoreContract, DeleteRemovesValueAndReportsMissingOnes) {
  EXPECT_EQ(kErrorFileNotFound, store->DeleteValue(kKey.c_str(), "ShouldUpgrade"));
  ASSERT_EQ(kErrorSuccess, store->WriteDword(kKey.c_str(), "ShouldUpgrade", 1));
  EXPECT_EQ(kErrorFileNotFound, store->DeleteValue(kKey.c_str(), "NotThere"));
  EXPECT_EQ(kErrorSuccess, store->DeleteValue(kKey.c_str(), "ShouldUpgrade"));
  std::uint32_t v = 0;
  EXPECT_EQ(kErrorFileNotFound, store->ReadDword(kKey.c_str(), "ShouldUpgrade", &v));
  EXPECT_EQ(kErrorFileNotFound, store->DeleteValue(kKey.c_str(), "ShouldUpgrade"));
}

}  // namespace
}  // namespace velmora::testing
