#include "installer/actions/program_folder.h"

namespace velmora::setup {
namespace {

constexpr unsigned long kErrorAlreadyExists = 183;

FolderProtection Refused(const std::string& folder, const std::string& why) {
  return {false, "Velmora: the program folder " + folder + " cannot be protected: " + why + ". Nothing was installed."};
}

FolderProtection ProtectExisting(FolderSecurityPort& files, const std::string& folder, FolderFound found) {
  switch (found) {
    case FolderFound::kFolder:
      break;
    case FolderFound::kLink:
      return Refused(folder, "it is a link or junction");
    case FolderFound::kFile:
      return Refused(folder, "a file is in its place");
    case FolderFound::kMissing:
      return Refused(folder, "it went away while being created");
  }
  const unsigned long error = files.ApplySecurity(folder, kProgramFolderSddl);
  if (error != 0) return Refused(folder, "error " + std::to_string(error));
  return {true, "Velmora: protected the program folder " + folder + "."};
}

}  // namespace

FolderProtection ProtectProgramFolder(FolderSecurityPort& files, const std::string& installDir) {
  std::string folder = installDir;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return Refused("\"\"", "no folder was given");
  const FolderFound found = files.Inspect(folder);
  if (found != FolderFound::kMissing) return ProtectExisting(files, folder, found);
  unsigned long error = files.CreateParents(folder);
  if (error != 0) return Refused(folder, "the folders above it: error " + std::to_string(error));
  error = files.CreateWithSecurity(folder, kProgramFolderSddl);
  // Made by someone else in between: what is there now is inspected like any existing folder.
  if (error == kErrorAlreadyExists) return ProtectExisting(files, folder, files.Inspect(folder));
  if (error != 0) return Refused(folder, "error " + std::to_string(error));
  return {true, "Velmora: created the protected program folder " + folder + "."};
}

}  // namespace velmora::setup
