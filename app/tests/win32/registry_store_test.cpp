// The contract suite against the real registry of the test's own Wine prefix.
#include <gtest/gtest.h>

#include "app/tests/settings_store_contract.h"
#include "app/win32/registry_settings_store.h"
#include "tests/robot/registry.h"

namespace velmora::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Registry, SettingsStoreContract,
                         ::testing::Values(StoreUnderTest{"Registry",
                                                          [] { return std::make_unique<CSettingsStore>(); },
                                                          [] { robot::DeleteKeyTree(kContractRoot); }}),
                         [](const auto& p) { return p.param.name; });

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
