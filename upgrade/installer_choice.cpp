#include "upgrade/installer_choice.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"
#include "common/version_text.h"

namespace velmora {

InstallerSplit SplitInstallerPath(const std::string& path) {
  InstallerSplit split;
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return split;
  split.hasDirectory = true;
  split.dir = path.substr(0, slash);
  split.file = path.substr(slash + 1);
  return split;
}

bool AcceptProgramPath(const std::string& path, const UpgradeServices& services) {
  if (services.system.FileExists(path)) return true;
  services.prompts.ShowError(kErrInstallerMissing, kMbIconHand);
  return false;
}

bool ConfirmInstaller(const std::string& path, std::string* dir, std::string* file, const UpgradeServices& services) {
  if (!services.system.FileExists(path)) {
    services.prompts.ShowError(kErrInstallerMissing, kMbIconHand);
    return false;
  }
  std::string upper = path;
  services.system.UpperCase(upper);
  InstallerSplit split = SplitInstallerPath(upper);
  *dir = std::move(split.dir);
  *file = std::move(split.file);
  if (!split.hasDirectory) {
    services.prompts.ShowError(kErrInstallerMissing, kMbIconHand);
    return false;
  }
  return true;
}

void ApplyDontAskAgain(int dontAskAgain, const UpgradeServices& services) {
  if (dontAskAgain != 1) return;
  if (services.settings.DeleteValue(kGeneralKey, kShouldUpgradeValue) == kErrorAccessDenied) {
    const std::string version = ClientVersionText();
    services.userSettings.WriteString(kGeneralKey, kUpgradeDeclinedValue, version.c_str(),
                                      static_cast<std::uint32_t>(version.size() + 1));
    return;
  }
  services.system.RemoveFile(services.installDir + "\\" + kUpgradeMarkerName);
  services.settings.DeleteValue(kRunKey, kUpgradeRunValue);
}

}  // namespace velmora
