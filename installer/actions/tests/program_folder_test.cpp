#include "installer/actions/program_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora::setup {
namespace {

// Records every call; answers as set. After a creation the folder is there.
struct FakeFolders : FolderSecurityPort {
  std::vector<FolderFound> found;  // successive answers of Inspect; the last one repeats
  unsigned long parentsError = 0, createError = 0, applyError = 0;
  std::vector<std::string> calls;
  FolderFound Inspect(const std::string& folder) override {
    calls.push_back("inspect " + folder);
    const FolderFound answer = found.front();
    if (found.size() > 1) found.erase(found.begin());
    return answer;
  }
  unsigned long CreateParents(const std::string& folder) override {
    calls.push_back("parents " + folder);
    return parentsError;
  }
  unsigned long CreateWithSecurity(const std::string& folder, const char* sddl) override {
    calls.push_back("create " + folder + " " + sddl);
    return createError;
  }
  unsigned long ApplySecurity(const std::string& folder, const char* sddl) override {
    calls.push_back("apply " + folder + " " + sddl);
    return applyError;
  }
};

TEST(ProgramFolderTest, TheFolderGetsItsOwnListBeforeAnythingIsCopiedAndALinkInItsPlaceIsRefused) {
  const std::string sddl = kProgramFolderSddl;
  // Owner Administrators; SYSTEM and Administrators full control, Users read and execute, all
  // inherited by files and folders in it; protected; nothing else.
  EXPECT_EQ("O:BAG:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", sddl);
  const std::string dir = "C:\\Tools\\Velmora";
  struct Case {
    const char* what;
    std::vector<FolderFound> found;
    unsigned long parentsError, createError, applyError;
    bool ok;
    std::vector<std::string> calls;
  };
  using F = FolderFound;
  const Case cases[] = {
      {"missing: created with the list", {F::kMissing}, 0, 0, 0, true,
       {"inspect " + dir, "parents " + dir, "create " + dir + " " + sddl}},
      {"there already (an upgrade, a folder made beforehand): the list replaces what it had", {F::kFolder}, 0, 0, 0, true,
       {"inspect " + dir, "apply " + dir + " " + sddl}},
      {"a junction or link: refused, nothing set through it", {F::kLink}, 0, 0, 0, false, {"inspect " + dir}},
      {"a file in its place", {F::kFile}, 0, 0, 0, false, {"inspect " + dir}},
      {"made by someone else between the look and the creation", {F::kMissing, F::kFolder}, 0, 183, 0, true,
       {"inspect " + dir, "parents " + dir, "create " + dir + " " + sddl, "inspect " + dir, "apply " + dir + " " + sddl}},
      {"a link made in between", {F::kMissing, F::kLink}, 0, 183, 0, false,
       {"inspect " + dir, "parents " + dir, "create " + dir + " " + sddl, "inspect " + dir}},
      {"the folders above cannot be made", {F::kMissing}, 5, 0, 0, false, {"inspect " + dir, "parents " + dir}},
      {"the creation refused", {F::kMissing}, 0, 5, 0, false,
       {"inspect " + dir, "parents " + dir, "create " + dir + " " + sddl}},
      {"the list refused", {F::kFolder}, 0, 0, 1307, false, {"inspect " + dir, "apply " + dir + " " + sddl}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolders files;
    files.found = c.found;
    files.parentsError = c.parentsError;
    files.createError = c.createError;
    files.applyError = c.applyError;
    const FolderProtection result = ProtectProgramFolder(files, dir + "\\");  // as the installer gives it
    EXPECT_EQ(c.ok, result.protectedFolder);
    EXPECT_EQ(c.calls, files.calls);
    EXPECT_EQ(0u, result.line.rfind("Velmora: ", 0)) << result.line;
    EXPECT_NE(std::string::npos, result.line.find(dir)) << result.line;
  }
  FakeFolders none;
  none.found = {F::kMissing};
  EXPECT_FALSE(ProtectProgramFolder(none, "\\").protectedFolder);
  EXPECT_TRUE(none.calls.empty());
}

}  // namespace
}  // namespace velmora::setup
