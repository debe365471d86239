// The cache presets of a deployment (CACHEBLOCKSIZE, CACHEMAXSIZE, CACHEREFRESHTIMER), checked
// before anything is installed.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "installer/actions/cache_presets.h"
#include "installer/actions/win32/msi_session.h"

// Immediate, before InstallInitialize (and in the interface's sequence): a text that is not a
// number of the page's range refuses the whole install, with a line naming it and its range.
extern "C" __declspec(dllexport) UINT __stdcall CheckCachePresets(MSIHANDLE install) {
  using namespace velmora::setup;
  bool refused = false;
  for (const CachePresetRule& rule : CachePresetRules()) {
    const std::string text = Utf8(GetProperty(install, Widen(rule.property).c_str()));
    if (ReadPreset(rule, text).kind != PresetReading::Kind::kRefused) continue;
    ReportError(install, FromUtf8(RefusalLine(rule, text)));
    refused = true;
  }
  return refused ? ERROR_INSTALL_FAILURE : ERROR_SUCCESS;
}
