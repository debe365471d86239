// The package's custom action: installing Velmora fulfils an upgrade offer, so its request,
// its log-on entry and its marker go. A DLL action, because wixl has no RemoveRegistryValue or
// RemoveFile, and a program run for it would flash a console window in the installer's UI.
// It runs last, just before the install is finalised, so an install that fails on the way
// leaves the offer as it was. What is not there is already gone: every result is ignored.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "framework/win32/handles.h"
#include "installer/actions/upgrade_offer.h"
#include "installer/actions/win32/msi_session.h"

namespace {

void DeleteValue(const char* key, const char* name) {
  using namespace velmora::setup;
  const framework::UniqueKey opened = OpenMachineKey(key, KEY_SET_VALUE);
  if (opened) RegDeleteValueW(opened.get(), Widen(name).c_str());
}

}  // namespace

// Deferred: the installation directory comes as CustomActionData.
extern "C" __declspec(dllexport) UINT __stdcall FulfilUpgradeOffer(MSIHANDLE install) {
  using namespace velmora::setup;
  const std::wstring dir = GetProperty(install, L"CustomActionData");
  if (!dir.empty()) DeleteFileW(OfferMarkerPath(dir).c_str());
  DeleteValue(kOfferRequestKey, kOfferRequestValue);
  DeleteValue(kLogOnKey, kOfferLogOnValue);
  return ERROR_SUCCESS;
}
