// Tells the driver when an administrator's cache policy may have changed, without polling: an
// event the registry sets when anything below the machine's policies key changes (a policy
// refresh that creates, changes or deletes the program's key or its values). A watch on the
// program's key itself would not see the key deleted and created again. Where the policies key
// does not exist yet, its nearest existing parent is watched.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win32/handles.h"

namespace velmora::sim {

class CPolicyKeyWatch {
 public:
  explicit CPolicyKeyWatch(std::string keyPath = "SOFTWARE\\Policies");

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
