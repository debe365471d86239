// An in-memory registry with the real one's answers (error codes 2, 13, 234; key and value
// names without regard to case), for tests of code that keeps its settings in the registry.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/settings_store.h"

namespace velmora {

class MemoryRegistry : public SettingsStore {
 public:
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };

  std::int32_t ReadValue(const char* keyPath, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
  std::int32_t WriteValue(const char* keyPath, const char* name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
  std::int32_t DeleteValue(const char* keyPath, const char* name) override;

  // Test controls: make every write (or delete) of one value fail with a code.
  void FailWrites(const std::string& keyPath, const std::string& name, std::int32_t code);
  void FailDeletes(const std::string& keyPath, const std::string& name, std::int32_t code);
  // A user who may read but not change the key: CheckChangeAccess answers 5 and every write
  // and delete under it fails with 5.
  void RefuseChanges(const std::string& keyPath);
  std::int32_t CheckChangeAccess(const char* keyPath) override;

  bool HasKey(const std::string& keyPath) const;
  const Value* Find(const std::string& keyPath, const std::string& name) const;
  // Every write and delete, in order, as "key\name".
  const std::vector<std::string>& Log() const { return m_log; }

 private:
  static std::string Fold(const std::string& s);
  static std::string Slot(const std::string& keyPath, const std::string& name);

  std::set<std::string> m_keys;
  std::map<std::string, Value> m_values;  // by folded "key\0name"
  std::map<std::string, std::int32_t> m_failWrites;
  std::map<std::string, std::int32_t> m_failDeletes;
  std::set<std::string> m_refusedKeys;  // folded
  std::vector<std::string> m_log;
};

}  // namespace velmora
