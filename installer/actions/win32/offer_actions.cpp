// The package's custom action: installing Velmora fulfils an upgrade offer, so its request,
// its log-on entry and its marker go. A DLL action, because wixl has no RemoveRegistryValue or
// RemoveFile, and a program run for it would flash a console window in the installer's UI.
// What is not there is already gone: every result is ignored.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "framework/win32/handles.h"
#include "installer/actions/upgrade_offer.h"

namespace {

void DeleteValue(const char* key, const char* name) {
  framework::UniqueKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, opened.put()) != ERROR_SUCCESS) return;
  RegDeleteValueA(opened.get(), name);
}

}  // namespace

// Deferred: the installation directory comes as CustomActionData.
extern "C" __declspec(dllexport) UINT __stdcall FulfilUpgradeOffer(MSIHANDLE install) {
  using namespace velmora::setup;
  std::string dir(MAX_PATH, '\0');
  DWORD size = static_cast<DWORD>(dir.size());
  UINT got = MsiGetPropertyA(install, "CustomActionData", dir.data(), &size);
  if (got == ERROR_MORE_DATA) {
    dir.assign(++size, '\0');
    got = MsiGetPropertyA(install, "CustomActionData", dir.data(), &size);
  }
  if (got == ERROR_SUCCESS && size > 0) {
    dir.resize(size);
    DeleteFileA(OfferMarkerPath(dir).c_str());
  }
  DeleteValue(kOfferRequestKey, kOfferRequestValue);
  DeleteValue(kLogOnKey, kOfferLogOnValue);
  return ERROR_SUCCESS;
}
