// What the service control manager says of the driver's service. Only query rights are asked
// for, which every interactive user has.
#pragma once
#include "driver/driver_start_wait.h"

namespace velmora {

// Not installed (or the manager cannot be asked) reads as a service that will not come.
DriverServiceStatus QueryDriverService(const char* name = kDriverServiceName);

}  // namespace velmora
