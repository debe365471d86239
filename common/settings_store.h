// Settings live in the registry under HKEY_LOCAL_MACHINE. Every operation opens a key, does one
// thing and closes it again, and answers with a Win32 error code (0 = success). The typed
// reads and writes are built here once over three raw operations, which the real registry and
// the in-memory one each provide.
#pragma once
#include <cstdint>

#include "common/windows_errors.h"  // the codes every operation answers with

namespace velmora {

// Registry value types.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Reads a value of any type into data (size in: buffer bytes, out: bytes of the value).
  // An empty name addresses the key's default value.
  virtual std::int32_t ReadValue(const char* keyPath, const char* name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) = 0;
  // Creates the key and its parents when missing, writes the value and flushes it.
  virtual std::int32_t WriteValue(const char* keyPath, const char* name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) = 0;
  virtual std::int32_t DeleteValue(const char* keyPath, const char* name) = 0;
  // Whether this user may set values on the key (or create it, where it is missing), asking
  // for exactly that right and changing nothing: 0, or the refusal (5). A store without access
  // rights refuses nobody.
  virtual std::int32_t CheckChangeAccess(const char* keyPath);

  // 13 when the value is not a 4-byte REG_DWORD; 234 when it is larger than 4 bytes.
  std::int32_t ReadDword(const char* keyPath, const char* name, std::uint32_t* value);
  // 13 when the value is not REG_SZ. The text always comes back terminated: a value that
  // leaves no room for its terminator counts as too long (234).
  std::int32_t ReadString(const char* keyPath, const char* name, char* buffer, std::uint32_t* size);
  std::int32_t WriteDword(const char* keyPath, const char* name, std::uint32_t value);
  // size is the text length plus one, so the zero byte is stored.
  std::int32_t WriteString(const char* keyPath, const char* name, const char* text, std::uint32_t size);
};

}  // namespace velmora
