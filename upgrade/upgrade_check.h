// The start-up upgrade check: is an upgrade on offer, which installer is proposed, and what
// the user's answer to the prompt starts.
#pragma once
#include <string>

#include "common/message_box_values.h"
#include "upgrade/installer_choice.h"

namespace velmora {

// Modal-run results of the prompt.
constexpr int kPromptOk = kIdOk;
constexpr int kPromptCancel = kIdCancel;

// Runs the upgrade prompt; on kPromptOk, *dir and *file hold the confirmed installer. Any
// other result (the prompt could not even be created: -1) means nothing was confirmed.
class UpgradePromptRunner {
 public:
  virtual ~UpgradePromptRunner() = default;
  virtual int RunPrompt(const std::string& proposedPath, const std::string& versionText, std::string* dir,
                        std::string* file) = 0;
};

// "Velmora Client version 4.5.1 (370)": the client's own version.
std::string UpgradeVersionText();

// True when an upgrade is to be offered: forced, or a non-zero REG_DWORD "ShouldUpgrade" on the
// machine that this user has not withdrawn for this client version (see ApplyDontAskAgain).
bool UpgradeRequested(const UpgradeServices& services, bool forcePrompt);

// "SetupExeDir" as stored (looked up through the product key path with its trailing
// backslash), else the installation directory; followed by "\SETUP.EXE".
std::string ProposedInstallerPath(SettingsStore& settings, const std::string& installDir);

// 1 when the installer was started or its start was tried and reported (20016): the program
// ends. 0 when start-up goes on: no offer, No, or a prompt that confirmed nothing.
int CheckForUpgrade(const UpgradeServices& services, bool forcePrompt, UpgradePromptRunner& prompt);

}  // namespace velmora
