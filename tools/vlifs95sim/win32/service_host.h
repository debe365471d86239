// Runs the stand-in under the service control manager: start, stop and status, as a driver's
// service would. The serving itself is the caller's, the same as in console mode.
#pragma once
#include <windows.h>

#include <functional>

namespace velmora::sim {

// serve(stop, ready, startStep) serves until `stop` is signalled, calls `startStep` as each
// step of its start is done, signals `ready` once it listens, and returns ERROR_SUCCESS when
// stopped or the Win32 error that kept it from serving (the service's exit code).
using ServeFunction = std::function<DWORD(HANDLE stop, HANDLE ready, const std::function<void()>& startStep)>;

// Hands the process to the service control manager and returns when the service has stopped.
// False when the process was not started as a service.
bool RunAsService(ServeFunction serve);

}  // namespace velmora::sim
