#include "tests/doubles/memory_registry.h"

#include <cctype>
#include <cstring>

namespace velmora {

std::string MemoryRegistry::Fold(const std::string& s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string MemoryRegistry::Slot(const std::string& keyPath, const std::string& name) {
  return Fold(keyPath) + '\0' + Fold(name);
}

bool MemoryRegistry::HasKey(const std::string& keyPath) const { return m_keys.count(Fold(keyPath)) != 0; }

const MemoryRegistry::Value* MemoryRegistry::Find(const std::string& keyPath, const std::string& name) const {
  auto it = m_values.find(Slot(keyPath, name));
  return it == m_values.end() ? nullptr : &it->second;
}

std::int32_t MemoryRegistry::ReadValue(const char* keyPath, const char* name, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
  if (!HasKey(keyPath)) return kErrorFileNotFound;
  const Value* v = Find(keyPath, name ? name : "");
  if (!v) return kErrorFileNotFound;
  const auto needed = static_cast<std::uint32_t>(v->data.size());
  if (type) *type = v->type;
  if (data && *size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (data && needed) std::memcpy(data, v->data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::WriteValue(const char* keyPath, const char* name, std::uint32_t type,
                                        const std::uint8_t* data, std::uint32_t size) {
  const std::string slot = Slot(keyPath, name ? name : "");
  auto failure = m_failWrites.find(slot);
  if (failure != m_failWrites.end()) return failure->second;
  if (m_refusedKeys.count(Fold(keyPath)) != 0) return kErrorAccessDenied;
  // Creating a key creates its missing parents.
  std::string path = Fold(keyPath);
  for (std::size_t pos = path.find('\\'); pos != std::string::npos; pos = path.find('\\', pos + 1)) {
    m_keys.insert(path.substr(0, pos));
  }
  m_keys.insert(path);
  Value& v = m_values[slot];
  v.type = type;
  v.data.assign(data, data + size);
  m_log.push_back(std::string(keyPath) + '\\' + (name ? name : ""));
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::DeleteValue(const char* keyPath, const char* name) {
  if (!HasKey(keyPath)) return kErrorFileNotFound;
  const std::string slot = Slot(keyPath, name ? name : "");
  auto failure = m_failDeletes.find(slot);
  if (failure != m_failDeletes.end()) return failure->second;
  if (m_refusedKeys.count(Fold(keyPath)) != 0) return kErrorAccessDenied;
  if (m_values.erase(slot) == 0) return kErrorFileNotFound;
  m_log.push_back("delete " + std::string(keyPath) + '\\' + (name ? name : ""));
  return kErrorSuccess;
}

void MemoryRegistry::FailWrites(const std::string& keyPath, const std::string& name, std::int32_t code) {
  m_failWrites[Slot(keyPath, name)] = code;
}

void MemoryRegistry::FailDeletes(const std::string& keyPath, const std::string& name, std::int32_t code) {
  m_failDeletes[Slot(keyPath, name)] = code;
}

void MemoryRegistry::RefuseChanges(const std::string& keyPath) { m_refusedKeys.insert(Fold(keyPath)); }

std::int32_t MemoryRegistry::CheckChangeAccess(const char* keyPath) {
  return m_refusedKeys.count(Fold(keyPath)) != 0 ? kErrorAccessDenied : kErrorSuccess;
}

}  // namespace velmora
