#include "installer/setup/setup_plan.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace velmora::setup {

std::string PackageBeside(const std::string& setupPath) {
  const std::size_t slash = setupPath.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : setupPath.substr(0, slash + 1)) + kPackageName;
}

namespace {

// The installer's switches among the user's options, lower case without their leading '/' or
// '-'; quoted arguments (paths, property values) are skipped whole.
std::vector<std::string> SwitchesOf(const std::string& options) {
  std::vector<std::string> switches;
  std::size_t i = 0;
  while (i < options.size()) {
    while (i < options.size() && (options[i] == ' ' || options[i] == '\t')) ++i;
    std::string token;
    bool quoted = false;
    for (; i < options.size() && (quoted || (options[i] != ' ' && options[i] != '\t')); ++i) {
      if (options[i] == '"') quoted = !quoted;
      token += static_cast<char>(std::tolower(static_cast<unsigned char>(options[i])));
    }
    if (token.size() > 1 && (token[0] == '/' || token[0] == '-')) switches.push_back(token.substr(1));
  }
  return switches;
}

}  // namespace

std::string InstallerCommandLine(const std::string& msiexecPath, const std::string& package,
                                 const std::string& options, const std::string& log) {
  const std::string logging = log.empty() ? std::string() : "/l*v \"" + log + "\" ";
  return "\"" + msiexecPath + "\" /i \"" + package + "\" " + logging + (options.empty() ? "/qb" : options);
}

std::string LogPathIn(const std::string& tempFolder) {
  if (tempFolder.empty()) return kLogName;
  const char last = tempFolder.back();
  return tempFolder + (last == '\\' || last == '/' ? "" : "\\") + kLogName;
}

bool HasOwnLog(const std::string& options) {
  const std::vector<std::string> switches = SwitchesOf(options);
  return std::any_of(switches.begin(), switches.end(), [](const std::string& s) { return s[0] == 'l'; });
}

bool IsSilent(const std::string& options) {
  const std::vector<std::string> switches = SwitchesOf(options);
  return std::any_of(switches.begin(), switches.end(), [](const std::string& s) {
    return s == "q" || s == "qn" || s == "quiet" || s == "passive";
  });
}

std::string InstallerFailureMessage(unsigned long exitCode, const std::string& options, const std::string& log) {
  if (InstallSucceeded(exitCode) || exitCode == 1641 || exitCode == 1602 || exitCode == 1603 || IsSilent(options))
    return "";
  std::string message = "The Windows Installer could not install Velmora (error " + std::to_string(exitCode) + ").";
  if (!log.empty()) message += "\n\nThe installer's log tells why:\n" + log;
  return message;
}

bool InstallSucceeded(unsigned long exitCode) { return exitCode == 0 || exitCode == 3010; }

PaletteRestart PlanPaletteRestart(int palettesClosed, unsigned long exitCode, bool setupElevated,
                                  const std::string& installedProgram, const std::string& closedProgram) {
  PaletteRestart restart;
  if (palettesClosed <= 0) return restart;
  const bool succeeded = InstallSucceeded(exitCode);
  restart.program = succeeded ? installedProgram : closedProgram;
  if (restart.program.empty()) restart.program = succeeded ? closedProgram : installedProgram;
  if (restart.program.empty()) return restart;
  restart.how = setupElevated ? PaletteStart::kThroughDesktopShell : PaletteStart::kItself;
  return restart;
}

std::string InstalledProgram(const std::string& installedDirectory) {
  std::string dir = installedDirectory;
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  return dir.empty() ? dir : dir + "\\Velmora.exe";
}

std::string ArgumentsOf(const std::string& commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    i = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
  }
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  std::size_t end = commandLine.size();
  while (end > i && (commandLine[end - 1] == ' ' || commandLine[end - 1] == '\t')) --end;
  return commandLine.substr(i, end - i);
}

std::string ProblemMessage(PackageProblem problem, const std::string& package) {
  const std::string what = problem == PackageProblem::Missing
                               ? "Velmora Setup cannot find the installation package\n" + package
                               : "The installation package\n" + package + "\nis damaged or is not a Windows Installer package.";
  return what + "\n\nNothing was installed or changed. Copy the complete Velmora setup folder again and run SETUP.EXE from it.";
}

int ProblemExitCode(PackageProblem problem) {
  return problem == PackageProblem::Missing ? 1619 /* ERROR_INSTALL_PACKAGE_OPEN_FAILED */
                                            : 1620 /* ERROR_INSTALL_PACKAGE_INVALID */;
}

}  // namespace velmora::setup
