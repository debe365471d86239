// The package's custom action that fulfils an upgrade offer: installing Velmora takes away its
// request, its log-on entry and its marker. A DLL action, because wixl has no RemoveRegistryValue
// or RemoveFile, and a program run for it would flash a console window in the installer's UI.
// It runs last, just before the install is finalised, so an install that fails on the way
// leaves the offer as it was. What is not there is already gone: every result is ignored.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "common/registry_names.h"
#include "framework/win32/handles.h"
#include "installer/actions/upgrade_offer.h"
#include "installer/actions/win32/msi_session.h"

namespace {

void DeleteValue(const char* key, const char* name) {
  using namespace velmora::setup;
  const framework::UniqueKey opened = OpenMachineKey(key, KEY_SET_VALUE);
  if (opened) RegDeleteValueW(opened.get(), Widen(name).c_str());
}

// The action runs as the system in a folder that may once have been open to users: the marker
// is opened itself, never what a link or junction in its place leads to (a directory, a junction
// among them, does not open without backup semantics), and deleted through that same handle only
// when it is a plain file, so nothing can be swapped in between the check and the deletion.
void DeleteMarker(const std::wstring& path) {
  const framework::UniqueFile marker(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                 OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!marker) return;
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(marker.get(), FileBasicInfo, &basic, sizeof basic)) return;
  if (basic.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return;
  FILE_DISPOSITION_INFO dispose{};
  dispose.DeleteFile = TRUE;
  SetFileInformationByHandle(marker.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

}  // namespace

// Deferred: the installation directory comes as CustomActionData.
extern "C" __declspec(dllexport) UINT __stdcall FulfilUpgradeOffer(MSIHANDLE install) {
  using namespace velmora::setup;
  const std::wstring dir = GetProperty(install, L"CustomActionData");
  if (!dir.empty()) DeleteMarker(OfferMarkerPath(dir));
  DeleteValue(velmora::kGeneralKey, velmora::kShouldUpgradeValue);
  DeleteValue(velmora::kRunKey, velmora::kUpgradeRunValue);
  return ERROR_SUCCESS;
}
