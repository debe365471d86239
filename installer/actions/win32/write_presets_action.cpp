// The cache presets of a deployment, written as typed values once the package's registry values
// are: a RegistryValue would store them as text, which the program refuses to read. The package
// runs it in a first install or an upgrade, and in a maintenance run only for an administrator
// (installer/Velmora.wxs): a repair started by anyone else leaves the Cache key as it was.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "common/registry_names.h"
#include "installer/actions/cache_presets.h"
#include "installer/actions/win32/msi_session.h"

// Deferred, as the system: CustomActionData is the three texts, already checked. A preset
// given is written; a value not given is kept when stored, else gets the page's default.
extern "C" __declspec(dllexport) UINT __stdcall WriteCachePresets(MSIHANDLE install) {
  using namespace velmora::setup;
  const auto readings = ReadPresetData(Utf8(GetProperty(install, L"CustomActionData")));
  if (!readings) {
    ReportError(install, L"Velmora: the cache presets could not be read.");
    return ERROR_INSTALL_FAILURE;
  }
  const framework::UniqueKey cache = OpenMachineKey(velmora::kCacheKey, KEY_QUERY_VALUE | KEY_SET_VALUE, true);
  if (!cache) {
    ReportError(install, L"Velmora: the cache settings key could not be created.");
    return ERROR_INSTALL_FAILURE;
  }
  const auto& rules = CachePresetRules();
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::wstring name = Widen(rules[i].valueName);
    DWORD type = REG_NONE;
    DWORD size = 0;
    const bool stored = RegQueryValueExW(cache.get(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
                        type == REG_DWORD && size == sizeof(DWORD);
    const auto value = PresetToWrite(rules[i], (*readings)[i], stored);
    if (!value) continue;
    const DWORD data = *value;
    const LSTATUS set =
        RegSetValueExW(cache.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    LogLine(install, L"Velmora: " + name + L" = " + std::to_wstring(data) +
                         (set == ERROR_SUCCESS ? L"" : L" could not be written: error " + std::to_wstring(set)));
    if (set != ERROR_SUCCESS) return ERROR_INSTALL_FAILURE;
  }
  return ERROR_SUCCESS;
}
