// What SETUP.EXE decides: which package it installs, the system installer's command line, and
// what it tells the user when it cannot go on. Portable, so it is tested natively.
#pragma once
#include <string>

namespace velmora::setup {

constexpr char kPackageName[] = "Velmora.msi";

// The package beside SETUP.EXE, from SETUP.EXE's own full path.
std::string PackageBeside(const std::string& setupPath);

// The system installer installing (or upgrading to) `package`. Without `options` of the
// user's, it shows the installer's basic progress ("/qb"); otherwise those options stand in
// its place (for example "/qn" for a silent deployment).
std::string InstallerCommandLine(const std::string& msiexecPath, const std::string& package,
                                 const std::string& options);

// SETUP.EXE's own command line without its program name (quoted or not).
std::string ArgumentsOf(const std::string& commandLine);

enum class PackageProblem { Missing, Damaged };
// The message shown when the package cannot be installed; nothing has been changed then.
std::string ProblemMessage(PackageProblem problem, const std::string& package);
// The exit code for it: the system installer's own codes for these cases.
int ProblemExitCode(PackageProblem problem);

}  // namespace velmora::setup
