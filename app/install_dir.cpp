#include "app/install_dir.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"
#include "common/registry_names.h"

namespace velmora {

void StripTrailingBackslashes(std::string& path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
}

std::string LoadInstallDir(SettingsStore& settings, SystemPort& system, Prompts& prompts) {
  std::string key(kProductKeyWithSlash);
  StripTrailingBackslashes(key);

  char buf[kPathBufferSize];
  std::uint32_t size = sizeof buf;
  if (settings.ReadString(key.c_str(), kInstalledDirectoryValue, buf, &size) == kErrorSuccess) {
    std::string dir(buf);
    StripTrailingBackslashes(dir);
    return dir;
  }

  std::string current;
  if (system.CurrentDirectory(&current)) {
    std::string shortForm;
    return system.ShortPathName(current, &shortForm) ? shortForm : current;
  }
  prompts.ShowError(kErrNoExecutionPath, kMbIconHand);
  return "C:";
}

}  // namespace velmora
