// The settings store over the system registry under HKEY_LOCAL_MACHINE.
#pragma once
#include "app/settings_store.h"

namespace velmora {

class CSettingsStore : public SettingsStore {
 public:
  std::int32_t ReadValue(const char* keyPath, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
  std::int32_t WriteValue(const char* keyPath, const char* name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
  std::int32_t DeleteValue(const char* keyPath, const char* name) override;
};

}  // namespace velmora
