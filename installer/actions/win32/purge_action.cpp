// PURGE=1 at uninstall: everything the program and the package stored under the client's key
// goes too, for a machine that leaves the fleet. Without it the settings stay for a later
// installation, as a major upgrade (an uninstall of the old version) needs.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "common/registry_names.h"
#include "installer/actions/win32/msi_session.h"

// Deferred, as the system, after the package removed its own values. A key already gone is
// purged; any other failure is logged and the uninstall goes on.
extern "C" __declspec(dllexport) UINT __stdcall PurgeSettings(MSIHANDLE install) {
  using namespace velmora::setup;
  const std::wstring client = Widen(velmora::kMakerKey) + L"\\" + Widen(velmora::kClientKeyName);
  {
    const framework::UniqueKey maker =
        OpenMachineKey(velmora::kMakerKey, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!maker) return ERROR_SUCCESS;  // nothing stored at all
    const LSTATUS purged = RegDeleteTreeW(maker.get(), Widen(velmora::kClientKeyName).c_str());
    if (purged != ERROR_SUCCESS && purged != ERROR_FILE_NOT_FOUND) {
      LogLine(install, L"Velmora: HKEY_LOCAL_MACHINE\\" + client + L" could not be removed: error " +
                           std::to_wstring(purged));
      return ERROR_SUCCESS;
    }
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyW(maker.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    if (subkeys != 0 || values != 0) {
      LogLine(install, L"Velmora: removed HKEY_LOCAL_MACHINE\\" + client);
      return ERROR_SUCCESS;
    }
  }
  // The maker's key held only ours: it goes as well.
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, Widen(velmora::kMakerKey).c_str(), KEY_WOW64_64KEY, 0);
  LogLine(install, L"Velmora: removed HKEY_LOCAL_MACHINE\\" + client);
  return ERROR_SUCCESS;
}
