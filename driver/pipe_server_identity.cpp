#include "driver/pipe_server_identity.h"

namespace velmora {

bool PipeServerIsTheDriver(const DriverServiceStatus& service, std::optional<std::uint32_t> serverProcessId) {
  if (!service.installed) return true;
  // A stopped service has no process (0), so nobody matches it; nor does an unknown server.
  return service.processId != 0 && serverProcessId && *serverProcessId == service.processId;
}

}  // namespace velmora
