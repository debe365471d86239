#include "tools/vlifs95sim/win32/pipe_security.h"

#include <sddl.h>

namespace velmora::sim {

CPipeSecurity::CPipeSecurity() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kDriverPipeSddl, SDDL_REVISION_1, &descriptor, nullptr)) {
    m_dwError = GetLastError();
    return;
  }
  m_descriptor.reset(descriptor);
  m_attributes.nLength = sizeof(m_attributes);
  m_attributes.lpSecurityDescriptor = descriptor;
  m_attributes.bInheritHandle = FALSE;
}

}  // namespace velmora::sim
