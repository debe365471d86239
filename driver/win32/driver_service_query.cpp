#include "driver/win32/driver_service_query.h"

#include <windows.h>

#include <vector>

#include "framework/win32/handles.h"

namespace velmora {

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
  return s;
}

}  // namespace velmora
