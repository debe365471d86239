#include "tools/vlifs95sim/win32/registry_driver_store.h"

#include <windows.h>

#include <vector>

#include "framework/win32/handles.h"

namespace velmora::sim {

StoredValue CRegistryDriverStore::Read(const std::string& key, const std::string& name) {
  StoredValue value;
  framework::UniqueKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS) return value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return value;
  std::vector<BYTE> data(size + 1, 0);  // one more, so a string without its zero still ends
  if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return value;
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    value.kind = StoredValue::Kind::Dword;
    value.dword = *reinterpret_cast<const DWORD*>(data.data());
  } else if (type == REG_SZ) {
    value.kind = StoredValue::Kind::String;
    value.text.assign(reinterpret_cast<const char*>(data.data()));
  } else {
    value.kind = StoredValue::Kind::Other;
  }
  return value;
}

bool CRegistryDriverStore::Delete(const std::string& key, const std::string& name) {
  framework::UniqueKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, opened.put()) != ERROR_SUCCESS) return false;
  const bool deleted = RegDeleteValueA(opened.get(), name.c_str()) == ERROR_SUCCESS;
  RegFlushKey(opened.get());
  return deleted;
}

bool CRegistryDriverStore::WriteDword(const std::string& key, const std::string& name, std::uint32_t value) {
  framework::UniqueKey opened;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      opened.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD data = value;
  const bool written =
      RegSetValueExA(opened.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
      ERROR_SUCCESS;
  RegFlushKey(opened.get());  // the program reads it back at once
  return written;
}

}  // namespace velmora::sim
