#include "tests/robot/registry.h"

#include <vector>

#include "framework/win32/handles.h"

namespace robot {
namespace {

using framework::UniqueKey;

UniqueKey Open(const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return UniqueKey();
  return UniqueKey(raw);
}

UniqueKey Create(const std::string& key) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr) !=
      ERROR_SUCCESS) {
    return UniqueKey();
  }
  return UniqueKey(raw);
}

}  // namespace

void DeleteKeyTree(const std::string& keyPath) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}

void ResetVelmoraRegistry() {
  DeleteKeyTree("SOFTWARE\\NOLVEX");
  DeleteKeyTree("SOFTWARE\\Policies\\Nolvex");
  if (UniqueKey run = Open("Software\\MicroSoft\\Windows\\CurrentVersion\\Run")) {
    RegDeleteValueA(run.get(), "VelmoraUpgrade");
  }
}

void SetRaw(const std::string& key, const std::string& name, DWORD type, const std::string& bytes) {
  UniqueKey k = Create(key);
  RegSetValueExA(k.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegFlushKey(k.get());
}

void SetDword(const std::string& key, const std::string& name, DWORD value) {
  SetRaw(key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void SetString(const std::string& key, const std::string& name, const std::string& text) {
  SetRaw(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::optional<DWORD> GetDword(const std::string& key, const std::string& name) {
  UniqueKey k = Open(key);
  if (!k) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> GetString(const std::string& key, const std::string& name) {
  UniqueKey k = Open(key);
  if (!k) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
    return std::nullopt;
  }
  std::string buf(size + 1, '\0');
  RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
  buf.resize(size);
  if (!buf.empty() && buf.back() == '\0') buf.pop_back();
  return buf;
}

bool ValueExists(const std::string& key, const std::string& name) {
  UniqueKey k = Open(key);
  return k && RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool KeyExists(const std::string& key) { return static_cast<bool>(Open(key)); }

std::string Snapshot(const std::string& keyPath) {
  UniqueKey k = Open(keyPath);
  if (!k) return "<no key>";
  std::string out;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD nameLen = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(k.get(), i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size);
    nameLen = sizeof name;
    RegEnumValueA(k.get(), i, name, &nameLen, nullptr, &type, data.data(), &size);
    out += std::string(name) + ":" + std::to_string(type) + ":" + std::string(data.begin(), data.end()) + ";";
  }
  for (DWORD i = 0;; ++i) {
    char sub[512];
    DWORD subLen = sizeof sub;
    if (RegEnumKeyExA(k.get(), i, sub, &subLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out += "[" + std::string(sub) + "]{" + Snapshot(keyPath + "\\" + sub) + "}";
  }
  return out;
}

}  // namespace robot
