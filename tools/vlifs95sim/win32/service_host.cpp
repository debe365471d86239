#include "tools/vlifs95sim/win32/service_host.h"

#include <thread>
#include <utility>

#include "framework/win32/handles.h"

namespace velmora::sim {
namespace {

char g_serviceName[] = "vlifs95sim";  // an own-process service: the manager ignores the name
ServeFunction g_serve;                 // the dispatcher's entry point takes no context

struct ServiceContext {
  SERVICE_STATUS_HANDLE status = nullptr;
  framework::UniqueKernelHandle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

void Report(ServiceContext& context, DWORD state, DWORD exitCode = NO_ERROR, DWORD waitHint = 0) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  status.dwWin32ExitCode = exitCode;
  status.dwWaitHint = waitHint;
  SetServiceStatus(context.status, &status);
}

DWORD WINAPI OnControl(DWORD control, DWORD, LPVOID, LPVOID data) {
  auto& context = *static_cast<ServiceContext*>(data);
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      Report(context, SERVICE_STOP_PENDING, NO_ERROR, 5000);
      SetEvent(context.stop.get());
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
    default: return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
  ServiceContext context;
  context.status = RegisterServiceCtrlHandlerExA(g_serviceName, OnControl, &context);
  if (!context.status || !context.stop) return;
  Report(context, SERVICE_START_PENDING, NO_ERROR, 5000);
  framework::UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  bool served = false;
  std::thread server([&] {
    served = g_serve(context.stop.get(), ready.get());
    SetEvent(context.stop.get());
  });
  // Running once the pipe listens; a server that cannot listen (another driver has the pipe)
  // ends before that.
  HANDLE started[2] = {ready.get(), context.stop.get()};
  if (WaitForMultipleObjects(2, started, FALSE, INFINITE) == WAIT_OBJECT_0) Report(context, SERVICE_RUNNING);
  server.join();
  Report(context, SERVICE_STOPPED, served ? NO_ERROR : ERROR_SERVICE_SPECIFIC_ERROR);
}

}  // namespace

bool RunAsService(ServeFunction serve) {
  g_serve = std::move(serve);
  SERVICE_TABLE_ENTRYA table[] = {{g_serviceName, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) != FALSE;
}

}  // namespace velmora::sim
