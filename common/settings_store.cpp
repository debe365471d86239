#include "common/settings_store.h"

#include <cstring>

namespace velmora {

std::int32_t SettingsStore::ReadDword(const char* keyPath, const char* name, std::uint32_t* value) {
  std::uint32_t type = 0;
  std::uint8_t buf[4] = {};
  std::uint32_t size = sizeof buf;
  std::int32_t rc = ReadValue(keyPath, name, &type, buf, &size);
  if (rc != kErrorSuccess) return rc;
  // A REG_DWORD stored with fewer than 4 bytes would leave part of the number unwritten.
  if (type != kRegDword || size != sizeof buf) return kErrorInvalidData;
  std::memcpy(value, buf, sizeof buf);
  return kErrorSuccess;
}

std::int32_t SettingsStore::ReadString(const char* keyPath, const char* name, char* buffer,
                                       std::uint32_t* size) {
  if (*size == 0) return kErrorMoreData;
  std::uint32_t type = 0;
  std::uint32_t got = *size;
  std::int32_t rc = ReadValue(keyPath, name, &type, reinterpret_cast<std::uint8_t*>(buffer), &got);
  if (rc != kErrorSuccess) {
    buffer[0] = '\0';
    return rc;
  }
  if (type != kRegSz) {
    buffer[0] = '\0';
    return kErrorInvalidData;
  }
  // The registry does not promise a terminating zero.
  if (got == 0 || buffer[got - 1] != '\0') {
    if (got >= *size) {
      buffer[0] = '\0';
      return kErrorMoreData;
    }
    buffer[got] = '\0';
    ++got;
  }
  *size = got;
  return kErrorSuccess;
}

std::int32_t SettingsStore::WriteDword(const char* keyPath, const char* name, std::uint32_t value) {
  std::uint8_t buf[4];
  std::memcpy(buf, &value, sizeof buf);
  return WriteValue(keyPath, name, kRegDword, buf, sizeof buf);
}

std::int32_t SettingsStore::WriteString(const char* keyPath, const char* name, const char* text,
                                        std::uint32_t size) {
  return WriteValue(keyPath, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text), size);
}

std::int32_t SettingsStore::CheckChangeAccess(const char*) { return kErrorSuccess; }

}  // namespace velmora
