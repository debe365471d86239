// SETUP.EXE's command line, any bytes: finding its own arguments must not crash, and what it
// passes on is a part of the line, trimmed, that the installer's command line carries whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/setup/setup_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora::setup;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string args = ArgumentsOf(line);
  if (args.size() > line.size() || line.find(args) == std::string::npos) std::abort();
  if (!args.empty() && (args.front() == ' ' || args.back() == ' ' || args.front() == '\t' || args.back() == '\t'))
    std::abort();
  const std::string command = InstallerCommandLine("msiexec.exe", PackageBeside(line), args);
  if (command.rfind("\"msiexec.exe\" /i \"", 0) != 0 || command.find(args) == std::string::npos) std::abort();
  // The switches are read from the same options without crashing; a silent run shows nothing.
  const std::string log = HasOwnLog(args) ? std::string() : LogPathIn(args);
  if (IsSilent(args) && !InstallerFailureMessage(1618, args, log).empty()) std::abort();
  return 0;
}
