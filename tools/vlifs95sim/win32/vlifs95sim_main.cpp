// vlifs95sim.exe: stands in for the cache driver where the real one cannot run. See README.md.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/stand_in_driver.h"
#include "tools/vlifs95sim/win32/driver_pipe_server.h"

namespace {

HANDLE g_stop = nullptr;

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

  framework::UniqueKernelHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  g_stop = stop.get();
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);

  StandInDriver driver(options->settings);
  CDriverPipeServer server(options->pipeName, [&](const std::uint8_t* request, std::size_t size) {
    Answer answer = driver.Serve(request, size);
    if (log) {
      std::fprintf(log, "%s\n", LogLine(answer, driver.Settings().state).c_str());
      std::fflush(log);
    }
    return answer;
  });
  std::printf("vlifs95sim: serving %s\n", options->pipeName.c_str());
  std::fflush(stdout);
  const bool served = server.Run(stop.get());
  if (log) std::fclose(log);
  if (!served) {
    std::fprintf(stderr, "vlifs95sim: cannot serve %s (error %lu; is another driver running?)\n",
                 options->pipeName.c_str(), GetLastError());
    return 1;
  }
  return 0;
}
