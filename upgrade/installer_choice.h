// The user's choice of the installer, and what the prompt's check box withdraws.
#pragma once
#include <string>

#include "upgrade/upgrade_services.h"

namespace velmora {

struct InstallerSplit {
  bool hasDirectory = false;
  std::string dir;   // text before the last backslash
  std::string file;  // text after it
};

// Splits a path at its last backslash. Without one, both parts are empty.
InstallerSplit SplitInstallerPath(const std::string& path);

// The upgrade program dialog's OK: only an existing file is accepted; otherwise error 20025.
bool AcceptProgramPath(const std::string& path, const UpgradeServices& services);

// The prompt's Yes, after the program dialog ended with OK and `path`: true when the prompt
// may close. A missing file shows 20025 and leaves *dir and *file alone; a path without a
// backslash (after upper-casing) empties both and shows 20025; otherwise they receive the
// upper-cased directory and file name.
bool ConfirmInstaller(const std::string& path, std::string* dir, std::string* file, const UpgradeServices& services);

// The check box "Do not show prompt for upgrade again": when set, removes the registry request,
// the marker file and the log-on entry. Each may already be gone; results are ignored. A user
// refused the request's removal (not an administrator) withdraws the offer for himself alone:
// this client version is recorded in his own registry, and the machine's offer stays for
// everyone else.
void ApplyDontAskAgain(int dontAskAgain, const UpgradeServices& services);

}  // namespace velmora
