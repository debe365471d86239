// Tells the driver when an administrator's cache policy may have changed, without polling: an
// event the registry sets when a value of the policy key is added, changed or removed. While
// the key does not exist its nearest existing parent is watched, so its creation is seen too.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win32/handles.h"

namespace velmora::sim {

class CPolicyKeyWatch {
 public:
  explicit CPolicyKeyWatch(std::string keyPath);

  // Watches (again): call once before the first read and after every signal. False when not
  // even a parent of the key could be watched.
  bool Arm();
  // Auto-reset; signalled once per change seen since the last Arm.
  HANDLE Event() const { return m_event.get(); }

 private:
  std::string m_strKeyPath;  // under HKEY_LOCAL_MACHINE
  framework::UniqueKernelHandle m_event;
  framework::UniqueKey m_key;  // closing it ends the registration
};

}  // namespace velmora::sim
