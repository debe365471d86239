#include "driver/win32/driver_service_query.h"

#include <windows.h>

#include <vector>

#include "framework/win32/handles.h"

namespace velmora {
namespace {

// Asked only of a service stopped with an error. A standard user may read both; a system that
// keeps no recovery actions (this Wine: the query fails with 124) reads as one without any.
void ReadRecoveryActions(SC_HANDLE service, DriverServiceStatus& s) {
  DWORD needed = 0;
  QueryServiceConfig2A(service, SERVICE_CONFIG_FAILURE_ACTIONS, nullptr, 0, &needed);
  if (needed < sizeof(SERVICE_FAILURE_ACTIONSA)) return;
  std::vector<BYTE> buffer(needed);
  if (!QueryServiceConfig2A(service, SERVICE_CONFIG_FAILURE_ACTIONS, buffer.data(), needed, &needed)) return;
  const auto* failure = reinterpret_cast<const SERVICE_FAILURE_ACTIONSA*>(buffer.data());
  for (DWORD i = 0; i < failure->cActions; ++i) {
    if (failure->lpsaActions[i].Type != SC_ACTION_RESTART) continue;
    s.recoveryRestarts = true;
    if (failure->lpsaActions[i].Delay > s.recoveryDelayMs) s.recoveryDelayMs = failure->lpsaActions[i].Delay;
  }
  SERVICE_FAILURE_ACTIONS_FLAG flag{};
  if (QueryServiceConfig2A(service, SERVICE_CONFIG_FAILURE_ACTIONS_FLAG, reinterpret_cast<BYTE*>(&flag), sizeof flag,
                           &needed))
    s.recoveryOnReportedErrors = flag.fFailureActionsOnNonCrashFailures != FALSE;
}

}  // namespace

DriverServiceStatus QueryDriverService(const char* name) {
  DriverServiceStatus s;
  framework::UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return s;
  framework::UniqueServiceHandle service(
      OpenServiceA(manager.get(), name, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG));
  if (!service) return s;
  DWORD needed = 0;
  QueryServiceConfigA(service.get(), nullptr, 0, &needed);
  std::vector<BYTE> config(needed ? needed : sizeof(QUERY_SERVICE_CONFIGA));
  SERVICE_STATUS_PROCESS status{};
  if (!QueryServiceConfigA(service.get(), reinterpret_cast<QUERY_SERVICE_CONFIGA*>(config.data()),
                           static_cast<DWORD>(config.size()), &needed) ||
      !QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status,
                            &needed)) {
    return s;
  }
  const DWORD start = reinterpret_cast<const QUERY_SERVICE_CONFIGA*>(config.data())->dwStartType;
  s.installed = true;
  s.disabled = start == SERVICE_DISABLED;
  s.startedBySystem = start == SERVICE_AUTO_START || start == SERVICE_BOOT_START || start == SERVICE_SYSTEM_START;
  s.state = status.dwCurrentState;
  s.exitCode = status.dwWin32ExitCode;
  s.processId = status.dwProcessId;
  if (s.startedBySystem && s.state == SERVICE_STOPPED && s.exitCode != 0 && s.exitCode != kErrorServiceNeverStarted)
    ReadRecoveryActions(service.get(), s);
  return s;
}

}  // namespace velmora
