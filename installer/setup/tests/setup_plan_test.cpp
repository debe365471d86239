#include "installer/setup/setup_plan.h"

#include <gtest/gtest.h>

namespace velmora::setup {
namespace {

TEST(SetupPlanTest, InstallsThePackageBesideItself) {
  EXPECT_EQ("C:\\Staging dir\\Velmora.msi", PackageBeside("C:\\Staging dir\\SETUP.EXE"));
  EXPECT_EQ("Velmora.msi", PackageBeside("SETUP.EXE"));  // started by a bare name: the current folder
  EXPECT_EQ("\"C:\\windows\\system32\\msiexec.exe\" /i \"C:\\a b\\Velmora.msi\" /qb",
            InstallerCommandLine("C:\\windows\\system32\\msiexec.exe", "C:\\a b\\Velmora.msi", ""));
  EXPECT_EQ("\"m.exe\" /i \"p.msi\" /qn /l*v x.log", InstallerCommandLine("m.exe", "p.msi", "/qn /l*v x.log"));
}

TEST(SetupPlanTest, FindsItsOwnArguments) {
  EXPECT_EQ("", ArgumentsOf("\"C:\\UPGRADE DIR\\SETUP.EXE\""));
  EXPECT_EQ("/qn", ArgumentsOf("\"C:\\UPGRADE DIR\\SETUP.EXE\"  /qn "));
  EXPECT_EQ("/qn", ArgumentsOf("SETUP.EXE /qn"));
  EXPECT_EQ("", ArgumentsOf("SETUP.EXE"));
  EXPECT_EQ("", ArgumentsOf("\"unclosed"));
  EXPECT_EQ("", ArgumentsOf(""));
}

TEST(SetupPlanTest, SaysWhatIsWrongAndThatNothingChanged) {
  const std::string missing = ProblemMessage(PackageProblem::Missing, "C:\\x\\Velmora.msi");
  const std::string damaged = ProblemMessage(PackageProblem::Damaged, "C:\\x\\Velmora.msi");
  for (const std::string& m : {missing, damaged}) {
    EXPECT_NE(std::string::npos, m.find("C:\\x\\Velmora.msi")) << m;
    EXPECT_NE(std::string::npos, m.find("Nothing was installed")) << m;
  }
  EXPECT_NE(std::string::npos, damaged.find("damaged"));
  EXPECT_NE(0, ProblemExitCode(PackageProblem::Missing));
  EXPECT_NE(ProblemExitCode(PackageProblem::Missing), ProblemExitCode(PackageProblem::Damaged));
}

}  // namespace
}  // namespace velmora::setup
