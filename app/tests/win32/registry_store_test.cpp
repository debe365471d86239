// The contract suite against the real registry of the test's own Wine prefix.
#include <gtest/gtest.h>

#include <vector>

#include "app/tests/settings_store_contract.h"
#include "app/win32/registry_settings_store.h"
#include "common/registry_names.h"
#include "common/version_text.h"
#include "framework/win32/handles.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/recording_prompts.h"
#include "tests/robot/registry.h"
#include "upgrade/upgrade_check.h"

namespace velmora::testing {
namespace {

// A standard user on NT-family Windows: the machine's keys open for reading only; asking for
// more (all-access included) is refused with access denied, and no key may be created.
std::vector<REGSAM> g_accessAsked;

LONG WINAPI OpenAsStandardUser(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  g_accessAsked.push_back(access);
  const LONG rc = RegOpenKeyExA(root, path, options, KEY_READ, key);
  if (rc != ERROR_SUCCESS || (access & ~static_cast<REGSAM>(KEY_READ)) == 0) return rc;
  RegCloseKey(*key);  // the key exists, but not for this user's asking
  *key = nullptr;
  return ERROR_ACCESS_DENIED;
}

LONG WINAPI CreateAsStandardUser(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM access, LPSECURITY_ATTRIBUTES, PHKEY,
                                 LPDWORD) {
  g_accessAsked.push_back(access);
  return ERROR_ACCESS_DENIED;
}

CSettingsStore StandardUserStore() { return CSettingsStore(RegistryKeyCalls{&OpenAsStandardUser, &CreateAsStandardUser}); }

// A standard user on a key where the installer granted setting values (the General key): read
// and set-value rights are granted, anything more (all-access included) is refused.
constexpr REGSAM kSetValueGrant = KEY_READ | KEY_SET_VALUE;

LONG WINAPI OpenWithSetValueGrant(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  if ((access & ~kSetValueGrant) != 0) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(root, path, options, access, key);
}

LONG WINAPI CreateWithSetValueGrant(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                                    LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
  if ((access & ~kSetValueGrant) != 0) return ERROR_ACCESS_DENIED;
  return RegCreateKeyExA(root, path, reserved, cls, options, access, security, key, disposition);
}

// Reads as the standard user; the values themselves written as an administrator (the
// installer) would, so every read of the contract runs through the refused all-access.
class StandardUserReads : public SettingsStore {
 public:
  std::int32_t ReadValue(const char* keyPath, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
    return m_user.ReadValue(keyPath, name, type, data, size);
  }
  std::int32_t WriteValue(const char* keyPath, const char* name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override {
    return m_admin.WriteValue(keyPath, name, type, data, size);
  }
  std::int32_t DeleteValue(const char* keyPath, const char* name) override {
    return m_admin.DeleteValue(keyPath, name);
  }

 private:
  CSettingsStore m_user = StandardUserStore();
  CSettingsStore m_admin;
};

INSTANTIATE_TEST_SUITE_P(Registry, SettingsStoreContract,
                         ::testing::Values(StoreUnderTest{"Registry",
                                                          [] { return std::make_unique<CSettingsStore>(); },
                                                          [] { robot::DeleteKeyTree(kContractRoot); }},
                                           StoreUnderTest{"StandardUserReads",
                                                          [] { return std::make_unique<StandardUserReads>(); },
                                                          [] { robot::DeleteKeyTree(kContractRoot); }},
                                           StoreUnderTest{"SetValueGranted",
                                                          [] {
                                                            return std::make_unique<CSettingsStore>(RegistryKeyCalls{
                                                                &OpenWithSetValueGrant, &CreateWithSetValueGrant});
                                                          },
                                                          [] { robot::DeleteKeyTree(kContractRoot); }}),
                         [](const auto& p) { return p.param.name; });

// Reads still ask for all-access first and fall back only when refused; writes and deletes ask
// for set-value and query rights only, and report a refusal, changing nothing.
TEST(RegistryStoreTest, StandardUserReadsWithReadAccessAndIsRefusedEveryChange) {
  robot::DeleteKeyTree(kContractRoot);
  const std::string key = std::string(kContractRoot) + "\\Cache";
  CSettingsStore admin;
  ASSERT_EQ(0, admin.WriteDword(key.c_str(), "BlockSize", 4096));
  CSettingsStore user = StandardUserStore();
  g_accessAsked.clear();
  std::uint32_t value = 0;
  ASSERT_EQ(0, user.ReadDword(key.c_str(), "BlockSize", &value));
  EXPECT_EQ(4096u, value);
  EXPECT_EQ((std::vector<REGSAM>{KEY_ALL_ACCESS, KEY_READ}), g_accessAsked);

  g_accessAsked.clear();
  EXPECT_EQ(ERROR_ACCESS_DENIED, user.WriteDword(key.c_str(), "BlockSize", 8192));
  EXPECT_EQ(ERROR_ACCESS_DENIED, user.DeleteValue(key.c_str(), "BlockSize"));
  const REGSAM change = KEY_SET_VALUE | KEY_QUERY_VALUE;
  EXPECT_EQ((std::vector<REGSAM>{change, change}), g_accessAsked);
  EXPECT_EQ(4096u, robot::GetDword(key, "BlockSize").value_or(0));
  // A missing key is missing, not refused.
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, user.ReadDword((key + "\\Nothing").c_str(), "BlockSize", &value));
  robot::DeleteKeyTree(kContractRoot);
}

// "Do not offer again" from a user the machine's key refuses: the machine's offer stays, and
// the withdrawal lands in the user's own registry, where this user's next start finds it.
TEST(RegistryStoreTest, AWithdrawalRefusedForTheMachineLandsInTheUsersOwnRegistry) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kMakerKey);
  robot::SetDword(kGeneralKey, kShouldUpgradeValue, 1);
  CSettingsStore machine = StandardUserStore();
  CSettingsStore user(HKEY_CURRENT_USER);
  FakeSystem system;
  RecordingPrompts prompts;
  const UpgradeServices services{machine, user, system, prompts, "C:\\Velmora"};
  ASSERT_TRUE(UpgradeRequested(services, false));
  ApplyDontAskAgain(1, services);
  EXPECT_EQ(std::optional<DWORD>(1), robot::GetDword(kGeneralKey, kShouldUpgradeValue));
  framework::UniqueKey own;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kGeneralKey, 0, KEY_READ, own.put()));
  char text[64] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(own.get(), kUpgradeDeclinedValue, nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(text), &size));
  EXPECT_EQ(ClientVersionText(), text);
  EXPECT_FALSE(UpgradeRequested(services, false));
  own.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, kMakerKey);
  robot::ResetVelmoraRegistry();
}

TEST(RegistryStoreTest, WritesAreVisibleToOtherReadersAtOnce) {
  robot::DeleteKeyTree(kContractRoot);
  CSettingsStore store;
  const std::string key = std::string(kContractRoot) + "\\General";
  ASSERT_EQ(0, store.WriteDword(key.c_str(), "ActivateState", 1));
  EXPECT_EQ(1u, robot::GetDword(key, "ActivateState").value_or(99));
  ASSERT_EQ(0, store.DeleteValue(key.c_str(), "ActivateState"));
  EXPECT_FALSE(robot::ValueExists(key, "ActivateState"));
  robot::DeleteKeyTree(kContractRoot);
}

}  // namespace
}  // namespace velmora::testing
