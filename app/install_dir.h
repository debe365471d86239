// Where the client is installed: from the registry, else the current directory.
#pragma once
#include <string>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/system_port.h"

namespace velmora {

// Drops every trailing backslash; an empty path stays empty.
void StripTrailingBackslashes(std::string& path);

// "InstalledDirectory" without trailing backslashes; when it cannot be read, the current
// directory in its short form (a drive root keeps its backslash); when that fails too,
// error 20015 and "C:".
std::string LoadInstallDir(SettingsStore& settings, SystemPort& system, Prompts& prompts);

}  // namespace velmora
