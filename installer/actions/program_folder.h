// The program folder's own access list, wherever INSTALLDIR names it: owned by the
// administrators; LocalSystem and Administrators full control, Users read and execute; protected,
// so nothing of the folder above comes in (a volume root's "Authenticated Users: Modify"); every
// file and folder in it inherits it. Set before any file is copied in: the service's program in
// it runs as LocalSystem, and every user's log-on starts the program in it. The file system is a
// port, so the decision is tested natively.
#pragma once
#include <string>

namespace velmora::setup {

constexpr char kProgramFolderSddl[] = "O:BAG:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

enum class FolderFound { kMissing, kFolder, kLink, kFile };

class FolderSecurityPort {
 public:
  virtual ~FolderSecurityPort() = default;
  // What is at the path, a link or junction not followed.
  virtual FolderFound Inspect(const std::string& folder) = 0;
  // The folders above it, with what they inherit. Returns the Win32 error, 0 on success.
  virtual unsigned long CreateParents(const std::string& folder) = 0;
  // Creates the folder with this descriptor (ERROR_ALREADY_EXISTS when something is there).
  virtual unsigned long CreateWithSecurity(const std::string& folder, const char* sddl) = 0;
  // Sets owner and protected list on an existing folder; its files and folders inherit it.
  virtual unsigned long ApplySecurity(const std::string& folder, const char* sddl) = 0;
};

struct FolderProtection {
  bool protectedFolder = false;  // false: the install must not go on
  std::string line;              // for the install log
};

// `installDir` as the installer gives it (with its trailing backslash) or without one. A link,
// a junction or a file in the folder's place is refused: the system would otherwise write
// through it wherever it leads.
FolderProtection ProtectProgramFolder(FolderSecurityPort& files, const std::string& installDir);

}  // namespace velmora::setup
