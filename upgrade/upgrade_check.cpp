#include "upgrade/upgrade_check.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "common/version_text.h"

namespace velmora {

std::string UpgradeVersionText() { return "Velmora Client version " + ClientVersionText(); }

bool UpgradeRequested(const UpgradeServices& services, bool forcePrompt) {
  if (forcePrompt) return true;
  std::uint32_t should = 0;
  if (services.settings.ReadDword(kGeneralKey, kShouldUpgradeValue, &should) != kErrorSuccess || should == 0) {
    return false;
  }
  char declined[kPathBufferSize];
  std::uint32_t size = sizeof declined;
  return services.userSettings.ReadString(kGeneralKey, kUpgradeDeclinedValue, declined, &size) != kErrorSuccess ||
         declined != ClientVersionText();
}

std::string ProposedInstallerPath(SettingsStore& settings, const std::string& installDir) {
  std::string dir = installDir;
  char buf[kPathBufferSize];
  std::uint32_t size = sizeof buf;
  if (settings.ReadString(kProductKeyWithSlash, kSetupExeDirValue, buf, &size) == kErrorSuccess) dir = buf;
  return dir + "\\SETUP.EXE";
}

int CheckForUpgrade(const UpgradeServices& services, bool forcePrompt, UpgradePromptRunner& prompt) {
  if (!UpgradeRequested(services, forcePrompt)) return 0;
  const std::string proposed = ProposedInstallerPath(services.settings, services.installDir);

  std::string dir, file;
  // Only a confirmed installer is started: a prompt that failed to appear confirmed nothing.
  if (prompt.RunPrompt(proposed, UpgradeVersionText(), &dir, &file) != kPromptOk) return 0;

  if (services.system.RunProgram(dir, file) <= 32) {
    services.prompts.ShowErrorWithArg(kErrCannotExecute, dir + "\\" + file, kMbIconHand);
  }
  return 1;
}

}  // namespace velmora
