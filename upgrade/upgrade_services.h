// What the upgrade course needs of the application.
#pragma once
#include <string>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/system_port.h"

namespace velmora {

struct UpgradeServices {
  SettingsStore& settings;      // the machine's (HKEY_LOCAL_MACHINE)
  SettingsStore& userSettings;  // the user's own (HKEY_CURRENT_USER), same key paths
  SystemPort& system;  // its UpperCase is the system's, as the installer's path is shown
  Prompts& prompts;
  std::string installDir;  // no trailing backslash
};

}  // namespace velmora
