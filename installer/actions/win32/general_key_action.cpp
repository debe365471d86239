// The package's custom action that lets every signed-in user record the program's state: the
// "General" key (created when it is missing) gets one explicit entry granting authenticated
// users query and set-value rights on that key alone, beside the entries it inherits, which
// stay. The product key and the Cache key keep what they inherit (administrators-only writes).
// Deferred, not impersonated: changing a key's DACL under HKLM needs the installer's rights.
// wixl 0.101 refuses <Permission> and <PermissionEx>, so the package cannot say it in tables.
#include <windows.h>
#include <aclapi.h>
#include <msi.h>

#include <memory>
#include <string>

#include "framework/win32/handles.h"
#include "installer/actions/win32/install_log.h"

namespace {

constexpr wchar_t kGeneralKey[] = L"SOFTWARE\\NOLVEX\\VELMORA\\General";
// What the settings store asks for: reads with KEY_READ (which the inherited entries give every
// user), writes and deletes of values with KEY_SET_VALUE. No subkeys, no deleting the key.
constexpr DWORD kUsersRights = KEY_QUERY_VALUE | KEY_SET_VALUE;

DWORD GrantUsersSetValue() {
  framework::UniqueKey key;
  DWORD error = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGeneralKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                READ_CONTROL | WRITE_DAC | KEY_WOW64_64KEY, nullptr, key.put(), nullptr);
  if (error != ERROR_SUCCESS) return error;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  error = GetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr, &raw);
  if (error != ERROR_SUCCESS) return error;
  const framework::UniqueLocal<void> descriptor(raw);

  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof sid;
  if (!CreateWellKnownSid(WinAuthenticatedUserSid, nullptr, sid, &sidSize)) return GetLastError();
  EXPLICIT_ACCESSW grant{};
  grant.grfAccessPermissions = kUsersRights;
  grant.grfAccessMode = SET_ACCESS;  // replaces an explicit entry of theirs: a repair adds none
  grant.grfInheritance = NO_INHERITANCE;
  grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  grant.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid);
  PACL merged = nullptr;
  error = SetEntriesInAclW(1, &grant, dacl, &merged);
  if (error != ERROR_SUCCESS) return error;
  const framework::UniqueLocal<ACL> owned(merged);
  // Unprotected: the key goes on inheriting from its parent, as before.
  return SetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                         nullptr, nullptr, merged, nullptr);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall GrantUsersGeneralKey(MSIHANDLE install) {
  const DWORD error = GrantUsersSetValue();
  velmora::setup::LogToInstaller(
      install, error == ERROR_SUCCESS
                   ? "Velmora: authenticated users may set values on HKLM\\SOFTWARE\\NOLVEX\\VELMORA\\General."
                   : "Velmora: could not let users set values on HKLM\\SOFTWARE\\NOLVEX\\VELMORA\\General, error " +
                         std::to_string(error) + ".");
  // Without the grant a standard user's toggle is not recorded, as before: no reason to
  // refuse the whole install, and the log says why.
  return ERROR_SUCCESS;
}
