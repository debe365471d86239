// The settings store over the system registry under HKEY_LOCAL_MACHINE, or under another root
// (the user's own settings live under HKEY_CURRENT_USER).
#pragma once
#include <windows.h>

#include "common/settings_store.h"

namespace velmora {

// The two calls that open keys; tests put their own in place (a user refused write access).
struct RegistryKeyCalls {
  decltype(&::RegOpenKeyExA) openKey = &::RegOpenKeyExA;
  decltype(&::RegCreateKeyExA) createKey = &::RegCreateKeyExA;
};

class CSettingsStore : public SettingsStore {
 public:
  CSettingsStore() = default;
  explicit CSettingsStore(RegistryKeyCalls calls) : m_calls(calls) {}
  explicit CSettingsStore(HKEY root, RegistryKeyCalls calls = {}) : m_root(root), m_calls(calls) {}

  std::int32_t ReadValue(const char* keyPath, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
  std::int32_t WriteValue(const char* keyPath, const char* name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
  std::int32_t DeleteValue(const char* keyPath, const char* name) override;
  std::int32_t CheckChangeAccess(const char* keyPath) override;

 private:
  HKEY m_root = HKEY_LOCAL_MACHINE;
  RegistryKeyCalls m_calls;
};

}  // namespace velmora
