// vlifs95sim.exe: stands in for the cache driver where the real one cannot run. See README.md.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/stand_in_driver.h"
#include "tools/vlifs95sim/win32/driver_pipe_server.h"
#include "tools/vlifs95sim/win32/policy_key_watch.h"
#include "tools/vlifs95sim/win32/registry_driver_store.h"
#include "tools/vlifs95sim/win32/service_host.h"

namespace {

HANDLE g_stop = nullptr;

// How often a service whose pipe name is held by another process tries again.
constexpr DWORD kNameRetryMs = 2000;

BOOL WINAPI OnConsoleEvent(DWORD) {
  SetEvent(g_stop);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora::sim;
  std::string error;
  const std::optional<StandInOptions> options = ParseStandInOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::fprintf(stderr, "vlifs95sim: %s\n%s", error.c_str(), kStandInUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(kStandInUsage, stdout);
    return 0;
  }
  std::FILE* log = nullptr;
  if (!options->logFile.empty() && !(log = std::fopen(options->logFile.c_str(), "a"))) {
    std::fprintf(stderr, "vlifs95sim: cannot open %s\n", options->logFile.c_str());
    return 2;
  }

  CRegistryDriverStore registry;
  StandInDriver driver(options->settings);
  if (options->registry) {
    driver.SetSettingsSource([&](const CacheSettings& inEffect) { return ReadCacheSettings(registry, inEffect); });
  }
  // The policy watch changes the settings in effect between requests: one at a time.
  std::mutex driverLock;
  // The state and the clear-cache mark are taken when serving starts, not before: a second
  // driver that cannot have the pipe must not consume the mark.
  const auto serve = [&](HANDLE stop, HANDLE ready, const std::function<void()>& startStep) {
    // An administrator's policy counts at once: its key is watched from before the first read.
    CPolicyKeyWatch policy;
    framework::UniqueKernelHandle serving(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread watcher;
    if (options->registry && policy.Arm() && serving) {
      watcher = std::thread([&] {
        HANDLE waits[3] = {stop, serving.get(), policy.Event()};
        while (WaitForMultipleObjects(3, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 2) {
          policy.Arm();
          const std::lock_guard<std::mutex> lock(driverLock);
          driver.RereadSettings();
        }
      });
    }
    CDriverPipeServer server(options->pipeName, [&](const std::uint8_t* request, std::size_t size) {
      const std::lock_guard<std::mutex> lock(driverLock);
      Answer answer = driver.Serve(request, size);
      if (options->registry && !answer.stalled) RecordAcceptedChange(registry, answer.request, answer.result);
      if (log) {
        std::fprintf(log, "%s\n", LogLine(answer, driver.Settings().state).c_str());
        std::fflush(log);
      }
      return answer;
    });
    DWORD result = ERROR_SUCCESS;
    for (;;) {
      const DWORD served = server.Run(
          stop, ready, [&] {
            const std::lock_guard<std::mutex> lock(driverLock);
            if (options->registry) driver.StartFrom(TakeStartUpState(registry, options->settings.state));
          },
          startStep);
      // Anyone may create a pipe of a free name. The service waits for a name someone else
      // holds to come free rather than leave the machine without its driver; a program started
      // by hand says so and ends.
      if (served != ERROR_PIPE_BUSY || !options->service) {
        result = served;
        break;
      }
      if (WaitForSingleObject(stop, kNameRetryMs) != WAIT_TIMEOUT) break;
      if (startStep) startStep();
    }
    if (watcher.joinable()) {
      SetEvent(serving.get());
      watcher.join();
    }
    return result;
  };

  bool served = false;
  if (options->service) {
    served = RunAsService(serve);
    if (!served) std::fprintf(stderr, "vlifs95sim: --service is for the service control manager\n");
  } else {
    framework::UniqueKernelHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    g_stop = stop.get();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    std::printf("vlifs95sim: serving %s\n", options->pipeName.c_str());
    std::fflush(stdout);
    const DWORD serveError = serve(stop.get(), nullptr, {});
    served = serveError == ERROR_SUCCESS;
    if (!served) {
      std::fprintf(stderr, "vlifs95sim: cannot serve %s (error %lu; is another driver running?)\n",
                   options->pipeName.c_str(), serveError);
    }
  }
  if (log) std::fclose(log);
  return served ? 0 : 1;
}
