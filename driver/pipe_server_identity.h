// Who may answer on the driver's pipe. Any user can create a pipe of a free name, so while the
// driver's service is stopped (an upgrade, its recovery delay) someone else could serve the
// driver's pipe and be asked to act on the cache. Where the service is installed, only its own
// process is the driver; where it is not (development, the tests' own driver) whoever serves
// the pipe is.
#pragma once
#include <cstdint>
#include <optional>

#include "driver/driver_start_wait.h"

namespace velmora {

// `serverProcessId`: the process serving the connected pipe, nullopt when it cannot be told.
bool PipeServerIsTheDriver(const DriverServiceStatus& service, std::optional<std::uint32_t> serverProcessId);

}  // namespace velmora
