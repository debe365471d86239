// The one security descriptor every instance of the driver's pipe carries. The service runs as
// LocalSystem, and a pipe created with no descriptor would grant everyone else read only, so a
// standard user's program could not talk to the driver; with too much, anyone could add a pipe
// instance of their own and answer in the driver's name.
#pragma once
#include <windows.h>

#include "framework/win32/handles.h"

namespace velmora::sim {

// LocalSystem and Administrators: full control. Authenticated users: read, write data and
// write attributes (the client sets message read mode), never FILE_CREATE_PIPE_INSTANCE.
// Network logons are denied ahead of the grants: their tokens carry Authenticated Users too,
// and a local pipe has no business with them (remote clients are rejected as well). Everyone
// and anonymous logons get nothing (anonymous is not an authenticated user).
constexpr const char kDriverPipeSddl[] = "D:P(D;;FA;;;NU)(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x0012018b;;;AU)";

class CPipeSecurity {
 public:
  CPipeSecurity();

  // Null when the descriptor could not be built; Error() tells why.
  SECURITY_ATTRIBUTES* Attributes() { return m_descriptor ? &m_attributes : nullptr; }
  DWORD Error() const { return m_dwError; }

 private:
  framework::UniqueLocal<void> m_descriptor;
  SECURITY_ATTRIBUTES m_attributes{};
  DWORD m_dwError = ERROR_SUCCESS;
};

}  // namespace velmora::sim
