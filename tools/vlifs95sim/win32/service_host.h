// Runs the stand-in under the service control manager: start, stop and status, as a driver's
// service would. The serving itself is the caller's, the same as in console mode.
#pragma once
#include <windows.h>

#include <functional>

namespace velmora::sim {

// serve(stop, ready) serves until `stop` is signalled, signals `ready` once it listens, and
// returns false when it cannot serve at all.
using ServeFunction = std::function<bool(HANDLE stop, HANDLE ready)>;

// Hands the process to the service control manager and returns when the service has stopped.
// False when the process was not started as a service.
bool RunAsService(ServeFunction serve);

}  // namespace velmora::sim
