// The package's custom action that gives the stand-in driver's service its recovery actions
// (installer/actions/recovery_actions.h decides them). Deferred, not impersonated: changing a
// service's configuration needs the installer's own rights; after InstallServices.
#include <windows.h>
#include <msi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/win32/handles.h"
#include "installer/actions/recovery_actions.h"
#include "installer/actions/win32/msi_session.h"

namespace {

using namespace velmora::setup;

class CWin32ServiceConfig : public ServiceConfigPort {
 public:
  unsigned long SetFailureActions(const std::string& service, const RecoveryPlan& plan) override {
    framework::UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) return GetLastError();
    const std::wstring name(service.begin(), service.end());
    // A restart action needs the right to start the service as well as to configure it.
    framework::UniqueServiceHandle opened(OpenServiceW(manager.get(), name.c_str(), SERVICE_CHANGE_CONFIG | SERVICE_START));
    if (!opened) return GetLastError();
    std::vector<SC_ACTION> actions(plan.actions.size());
    std::transform(plan.actions.begin(), plan.actions.end(), actions.begin(), [](const FailureAction& a) {
      return SC_ACTION{a.restart ? SC_ACTION_RESTART : SC_ACTION_NONE, a.delayMs};
    });
    SERVICE_FAILURE_ACTIONSW failure{};
    failure.dwResetPeriod = plan.resetPeriodSeconds;
    failure.cActions = static_cast<DWORD>(actions.size());
    failure.lpsaActions = actions.data();
    if (!ChangeServiceConfig2W(opened.get(), SERVICE_CONFIG_FAILURE_ACTIONS, &failure)) return GetLastError();
    return 0;
  }
};

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall SetServiceRecovery(MSIHANDLE install) {
  CWin32ServiceConfig config;
  LogLine(install, Widen(SetStandInRecoveryActions(config)));
  return ERROR_SUCCESS;
}
