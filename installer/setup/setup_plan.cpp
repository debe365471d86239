#include "installer/setup/setup_plan.h"

namespace velmora::setup {

std::string PackageBeside(const std::string& setupPath) {
  const std::size_t slash = setupPath.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : setupPath.substr(0, slash + 1)) + kPackageName;
}

std::string InstallerCommandLine(const std::string& msiexecPath, const std::string& package,
                                 const std::string& options) {
  return "\"" + msiexecPath + "\" /i \"" + package + "\" " + (options.empty() ? "/qb" : options);
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
