#include "app/win32/registry_settings_store.h"

#include <windows.h>

#include <string>

#include "framework/win32/handles.h"

namespace velmora {

using framework::UniqueKey;

namespace {
// A change asks only for what it does: setting or deleting a value, and querying, which the
// flush needs. A standard user granted the right to set values on a key (the installer grants
// it on the General key) is refused anything more, all-access included.
constexpr REGSAM kChangeAccess = KEY_SET_VALUE | KEY_QUERY_VALUE;
}  // namespace

std::int32_t CSettingsStore::ReadValue(const char* keyPath, const char* name, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
  HKEY raw = nullptr;
  // Every open asks for full access, reads included, as the installer's keys expect. A user
  // who may only read the machine's settings (a standard user on NT-family Windows) is
  // refused that, and reads with read access instead.
  LONG rc = m_calls.openKey(m_root, keyPath, 0, KEY_ALL_ACCESS, &raw);
  if (rc == ERROR_ACCESS_DENIED) rc = m_calls.openKey(m_root, keyPath, 0, KEY_READ, &raw);
  if (rc != ERROR_SUCCESS) return rc;
  UniqueKey key(raw);
  DWORD dwType = 0;
  DWORD dwSize = *size;
  rc = RegQueryValueExA(key.get(), name, nullptr, &dwType, data, &dwSize);
  if (type) *type = dwType;
  *size = dwSize;
  if (rc != ERROR_SUCCESS) return rc;
  return RegCloseKey(key.release());
}

std::int32_t CSettingsStore::WriteValue(const char* keyPath, const char* name, std::uint32_t type,
                                        const std::uint8_t* data, std::uint32_t size) {
  HKEY raw = nullptr;
  char emptyClass[] = "";
  LONG rc = m_calls.createKey(m_root, keyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE, kChangeAccess,
                             nullptr, &raw, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  UniqueKey key(raw);
  rc = RegSetValueExA(key.get(), name, 0, type, data, size);
  // On disk before the call returns: the driver and other programs read it at once.
  if (rc == ERROR_SUCCESS) RegFlushKey(key.get());
  return rc;
}

std::int32_t CSettingsStore::DeleteValue(const char* keyPath, const char* name) {
  HKEY raw = nullptr;
  LONG rc = m_calls.openKey(m_root, keyPath, 0, kChangeAccess, &raw);
  if (rc != ERROR_SUCCESS) return rc;
  UniqueKey key(raw);
  rc = RegDeleteValueA(key.get(), name);
  if (rc == ERROR_SUCCESS) RegFlushKey(key.get());
  return rc;
}

std::int32_t CSettingsStore::CheckChangeAccess(const char* keyPath) {
  // The rights a write asks for; where the key is missing, the right to create it below the
  // nearest key that exists.
  std::string path = keyPath;
  REGSAM access = kChangeAccess;
  for (;;) {
    HKEY raw = nullptr;
    const LONG rc = m_calls.openKey(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &raw);
    if (rc == ERROR_SUCCESS) return RegCloseKey(raw);
    const std::size_t slash = path.rfind('\\');
    if (rc != ERROR_FILE_NOT_FOUND || slash == std::string::npos) return rc;
    path.resize(slash);
    access = KEY_CREATE_SUB_KEY;
  }
}

}  // namespace velmora
