// One behaviour for every settings store: the in-memory registry must answer as the real one.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/settings_store.h"

namespace velmora::testing {

struct StoreUnderTest {
  std::string name;
  std::function<std::unique_ptr<SettingsStore>()> make;
  std::function<void()> reset;  // removes everything the tests wrote (real registry)
};

// Keys the contract writes; all below this one.
constexpr const char kContractRoot[] = "SOFTWARE\\VelmoraContractTest";

class SettingsStoreContract : public ::testing::TestWithParam<StoreUnderTest> {
 protected:
  void SetUp() override {
    if (GetParam().reset) GetParam().reset();
    store = GetParam().make();
  }
  void TearDown() override {
    store.reset();
    if (GetParam().reset) GetParam().reset();
  }
  std::unique_ptr<SettingsStore> store;
};

}  // namespace velmora::testing
