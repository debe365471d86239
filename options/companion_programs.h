// The client's two companion programs, started from the Agent and Cache pages.
#pragma once
#include <string>

#include "common/prompts.h"
#include "common/system_port.h"

namespace velmora {

struct CompanionProgram {
  const char* file;       // the file started in the installation directory
  const char* shownTail;  // what the error box names after the directory
};

constexpr CompanionProgram kAgentConfiguration{"Vantor32.EXE", "\\Vantor32.EXE"};
constexpr CompanionProgram kPerformanceInfo{"Gauge32.exe", "\\Gauge32.EXE"};

// Starts the program from the installation directory without waiting for it; when the shell
// refuses (32 or less) shows 20016 naming the full path, owned by the page. True when started.
bool StartCompanion(SystemPort& system, Prompts& prompts, const std::string& installDir,
                    const CompanionProgram& program, OwnerWindow page);

}  // namespace velmora
