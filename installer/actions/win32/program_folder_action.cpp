// The package's custom action that gives the program folder its own access list before any file
// is copied into it (installer/actions/program_folder.h decides). Deferred, not impersonated:
// setting an owner and a protected list needs the installer's own rights. A deferred action of
// ours rather than the installer's MsiLockPermissionsEx table: that table needs a CreateFolder
// row, which keeps the folder until RemoveFolders, after RemoveFiles has given up on the empty
// maker's folder above it, and it neither refuses a junction in the folder's place nor protects
// a folder that was there before the install.
#include <windows.h>
#include <aclapi.h>
#include <msi.h>
#include <sddl.h>

#include <string>

#include "framework/win32/handles.h"
#include "installer/actions/program_folder.h"
#include "installer/actions/win32/msi_session.h"

namespace {

using namespace velmora::setup;

class CWin32FolderSecurity : public FolderSecurityPort {
 public:
  FolderFound Inspect(const std::string& folder) override {
    // The attributes of the name itself: a link or junction is not followed.
    const DWORD attributes = GetFileAttributesW(FromUtf8(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FolderFound::kMissing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return FolderFound::kLink;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FolderFound::kFolder : FolderFound::kFile;
  }

  unsigned long CreateParents(const std::string& folder) override {
    const std::wstring path = FromUtf8(folder);
    // From the first separator after the root ("C:\", "\\server\share\"), each folder above.
    std::size_t from = path.rfind(L"\\\\", 0) == 0 ? path.find(L'\\', path.find(L'\\', 2) + 1) : path.find(L'\\');
    for (std::size_t at = path.find(L'\\', from + 1); from != std::wstring::npos && at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
      const std::wstring above = path.substr(0, at);
      if (GetFileAttributesW(above.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
      if (!CreateDirectoryW(above.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return GetLastError();
    }
    return 0;
  }

  unsigned long CreateWithSecurity(const std::string& folder, const char* sddl) override {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &raw, nullptr)) return GetLastError();
    const framework::UniqueLocal<void> descriptor(raw);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, raw, FALSE};
    return CreateDirectoryW(FromUtf8(folder).c_str(), &attributes) ? 0 : GetLastError();
  }

  unsigned long ApplySecurity(const std::string& folder, const char* sddl) override {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &raw, nullptr)) return GetLastError();
    const framework::UniqueLocal<void> descriptor(raw);
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorOwner(raw, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(raw, &present, &dacl, &defaulted))
      return GetLastError();
    const std::wstring path = FromUtf8(folder);
    // First through a handle of the folder itself, checked to be a plain folder: once it holds
    // the list, nobody but an administrator can rename it or put a junction in its place.
    {
      const framework::UniqueFile opened(CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                     OPEN_EXISTING,
                                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
      if (!opened) return GetLastError();
      FILE_BASIC_INFO basic{};
      if (!GetFileInformationByHandleEx(opened.get(), FileBasicInfo, &basic, sizeof basic)) return GetLastError();
      if ((basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_CANT_ACCESS_FILE;
      const DWORD error = SetSecurityInfo(opened.get(), SE_FILE_OBJECT,
                                          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                              PROTECTED_DACL_SECURITY_INFORMATION,
                                          owner, nullptr, dacl, nullptr);
      if (error != ERROR_SUCCESS) return error;
    }
    // Then by name, which carries the inherited entries down to what the folder already holds.
    return SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                 DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                                 nullptr);
  }
};

}  // namespace

// Deferred, after CreateFolders and before InstallFiles: INSTALLDIR comes as CustomActionData.
// A folder that cannot be protected refuses the install: a program the system runs must not
// land where users may write.
extern "C" __declspec(dllexport) UINT __stdcall ProtectProgramFolder(MSIHANDLE install) {
  CWin32FolderSecurity files;
  const FolderProtection result = ProtectProgramFolder(files, Utf8(GetProperty(install, L"CustomActionData")));
  if (!result.protectedFolder) {
    ReportError(install, FromUtf8(result.line));
    return ERROR_INSTALL_FAILURE;
  }
  LogLine(install, FromUtf8(result.line));
  return ERROR_SUCCESS;
}
