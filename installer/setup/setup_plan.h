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
// its place (for example "/qn" for a silent deployment). With a `log`, the installer writes its
// verbose log there (before the user's options, so a log of their own takes its place).
std::string InstallerCommandLine(const std::string& msiexecPath, const std::string& package,
                                 const std::string& options, const std::string& log = "");

// The installer's verbose log of a SETUP.EXE run: "Velmora Setup.log" in the user's temporary
// folder (as GetTempPath gives it, with or without its trailing backslash), replaced at each run.
constexpr char kLogName[] = "Velmora Setup.log";
std::string LogPathIn(const std::string& tempFolder);
// Whether the user's options name a log of their own (/l..., /log): SETUP.EXE then asks for none.
bool HasOwnLog(const std::string& options);
// Whether the user's options make the installer silent (/q, /qn, /quiet, /passive): nobody
// is there to read a message, so SETUP.EXE shows none; its exit code and the log tell.
bool IsSilent(const std::string& options);

// After the installer ended with `exitCode`: the message SETUP.EXE shows, empty for none. A
// success shows nothing, and so do a cancellation (1602) and a fatal error (1603), which the
// installer's own interface has reported; any other failure is told with its code and, when
// there is one, the log that holds the reason.
std::string InstallerFailureMessage(unsigned long exitCode, const std::string& options, const std::string& log);

// The installer's results that leave the new version installed (3010: a restart is needed).
bool InstallSucceeded(unsigned long exitCode);
// How SETUP.EXE starts again a palette it closed for the install: whatever the installer's
// result (a cancelled or refused install included), as the user who closed none of it. Run
// elevated (an administrator's full token, or another account after an over-the-shoulder
// elevation), a palette of its own would keep those rights for the rest of the session: it
// asks the desktop's shell, which runs as the signed-in user, to start it, and where no shell
// answers it starts nothing. Run as the user, it starts the palette itself.
enum class PaletteStart { kNone, kItself, kThroughDesktopShell };
struct PaletteRestart {
  PaletteStart how = PaletteStart::kNone;
  std::string program;
};
// After a success, the installed program; otherwise (nothing was replaced) the program of the
// palette it closed. Either stands in for the other when it is not known.
PaletteRestart PlanPaletteRestart(int palettesClosed, unsigned long exitCode, bool setupElevated,
                                  const std::string& installedProgram, const std::string& closedProgram);
// The installed program from "InstalledDirectory" (which the package writes with a trailing
// backslash); empty when the directory is not known.
std::string InstalledProgram(const std::string& installedDirectory);

// SETUP.EXE's own command line without its program name (quoted or not).
std::string ArgumentsOf(const std::string& commandLine);

enum class PackageProblem { Missing, Damaged };
// The message shown when the package cannot be installed; nothing has been changed then.
std::string ProblemMessage(PackageProblem problem, const std::string& package);
// The exit code for it: the system installer's own codes for these cases.
int ProblemExitCode(PackageProblem problem);

}  // namespace velmora::setup
