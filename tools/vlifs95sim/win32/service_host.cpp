#include "tools/vlifs95sim/win32/service_host.h"

#include <mutex>
#include <thread>
#include <utility>

#include "common/registry_names.h"
#include "framework/win32/handles.h"

namespace velmora::sim {
namespace {

ServeFunction g_serve;  // the dispatcher's entry point takes no context

// Each step of a start or a stop takes far less; the manager waits this long for the next.
constexpr DWORD kPendingWaitHintMs = 3000;

struct ServiceContext {
  SERVICE_STATUS_HANDLE status = nullptr;
  framework::UniqueKernelHandle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::mutex reporting;  // reports come from the manager's thread, the server's and ours
  DWORD checkPoint = 0;
};

// A pending state advances the checkpoint on each report; any other state has none.
void Report(ServiceContext& context, DWORD state, DWORD exitCode = NO_ERROR) {
  std::lock_guard<std::mutex> lock(context.reporting);
  const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  // A start waiting for its pipe's name (held by another process) may take long: offered a stop
  // from its second report on, where the manager passes it on (this Wine does; Windows holds
  // controls back from a start-pending service).
  const bool stoppable = state == SERVICE_RUNNING || (state == SERVICE_START_PENDING && context.checkPoint >= 1);
  status.dwControlsAccepted = stoppable ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  status.dwWin32ExitCode = exitCode;
  status.dwCheckPoint = pending ? ++context.checkPoint : 0;
  status.dwWaitHint = pending ? kPendingWaitHintMs : 0;
  if (!pending) context.checkPoint = 0;
  SetServiceStatus(context.status, &status);
}

DWORD WINAPI OnControl(DWORD control, DWORD, LPVOID, LPVOID data) {
  auto& context = *static_cast<ServiceContext*>(data);
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      Report(context, SERVICE_STOP_PENDING);
      SetEvent(context.stop.get());
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
    default: return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
  ServiceContext context;
  context.status = RegisterServiceCtrlHandlerExA(kDriverServiceName, OnControl, &context);
  if (!context.status) return;
  Report(context, SERVICE_START_PENDING);
  framework::UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!context.stop || !ready) {
    Report(context, SERVICE_STOPPED, GetLastError());
    return;
  }
  DWORD served = NO_ERROR;
  std::thread server([&] {
    served = g_serve(context.stop.get(), ready.get(), [&] { Report(context, SERVICE_START_PENDING); });
    SetEvent(context.stop.get());
  });
  // Running once the pipe listens; a server that cannot listen (another driver has the pipe)
  // ends before that, and its error becomes the service's exit code.
  HANDLE started[2] = {ready.get(), context.stop.get()};
  if (WaitForMultipleObjects(2, started, FALSE, INFINITE) == WAIT_OBJECT_0) Report(context, SERVICE_RUNNING);
  server.join();
  Report(context, SERVICE_STOPPED, served);
}

}  // namespace

bool RunAsService(ServeFunction serve) {
  g_serve = std::move(serve);
  // An own-process service: the manager ignores the name, and the dispatcher only reads it.
  SERVICE_TABLE_ENTRYA table[] = {{const_cast<char*>(kDriverServiceName), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) != FALSE;
}

}  // namespace velmora::sim
