#include <gtest/gtest.h>

#include "app/tests/settings_store_contract.h"
#include "tests/doubles/memory_registry.h"

namespace velmora::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Memory, SettingsStoreContract,
                         ::testing::Values(StoreUnderTest{
                             "Memory", [] { return std::make_unique<MemoryRegistry>(); }, nullptr}),
                         [](const auto& p) { return p.param.name; });

TEST(MemoryRegistryTest, InjectedFailuresAnswerWithTheirCodeAndWriteNothing) {
  MemoryRegistry reg;
  reg.FailWrites("SOFTWARE\\NOLVEX\\VELMORA\\General", "ActivateState", 5);
  EXPECT_EQ(5, reg.WriteDword("software\\nolvex\\velmora\\general", "ACTIVATESTATE", 1));
  EXPECT_EQ(nullptr, reg.Find("SOFTWARE\\NOLVEX\\VELMORA\\General", "ActivateState"));
  EXPECT_TRUE(reg.Log().empty());
  ASSERT_EQ(0, reg.WriteDword("K", "V", 1));
  reg.FailDeletes("K", "V", 5);
  EXPECT_EQ(5, reg.DeleteValue("K", "V"));
  EXPECT_NE(nullptr, reg.Find("K", "V"));
}

}  // namespace
}  // namespace velmora::testing
