#include "tools/vlifs95sim/win32/policy_key_watch.h"

namespace velmora::sim {

CPolicyKeyWatch::CPolicyKeyWatch(std::string keyPath)
    : m_strKeyPath(std::move(keyPath)), m_event(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

bool CPolicyKeyWatch::Arm() {
  m_key.reset();
  if (!m_event) return false;
  std::string path = m_strKeyPath;
  while (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_NOTIFY, m_key.put()) != ERROR_SUCCESS) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return false;
    path.resize(slash);
  }
  // The whole subtree: the program's key's creation, deletion and values alike.
  const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
  return RegNotifyChangeKeyValue(m_key.get(), TRUE, filter, m_event.get(), TRUE) == ERROR_SUCCESS;
}

}  // namespace velmora::sim
