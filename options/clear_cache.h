// Clear Cache: mark the cache to be emptied at the next start of Windows, and offer to
// restart Windows now.
#pragma once
#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/system_port.h"

namespace velmora {

enum class ClearCacheOutcome {
  kDeclined,        // the first question was not answered OK; nothing written
  kMarkFailed,      // "ClearCache" could not be written (20018 shown)
  kMarkedLater,     // marked; the user keeps working, the cache is cleared at the next start
  kRestarting,      // marked and Windows is restarting: the program must end now
  kRestartFailed,   // marked; the restart was refused (20019 with the system's error number)
};

ClearCacheOutcome ClearCache(SettingsStore& settings, Prompts& prompts, SystemPort& system);

}  // namespace velmora
