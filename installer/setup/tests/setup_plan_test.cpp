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

TEST(SetupPlanTest, KeepsTheInstallersVerboseLogInTheTemporaryFolderUnlessTheUserNamesOne) {
  EXPECT_EQ("C:\\Users\\ann\\Temp\\Velmora Setup.log", LogPathIn("C:\\Users\\ann\\Temp\\"));
  EXPECT_EQ("C:\\Temp\\Velmora Setup.log", LogPathIn("C:\\Temp"));
  // Before the user's options, so their own switches still come last.
  EXPECT_EQ("\"m.exe\" /i \"p.msi\" /l*v \"C:\\T\\Velmora Setup.log\" /qn",
            InstallerCommandLine("m.exe", "p.msi", "/qn", "C:\\T\\Velmora Setup.log"));
  EXPECT_EQ("\"m.exe\" /i \"p.msi\" /l*v \"l\" /qb", InstallerCommandLine("m.exe", "p.msi", "", "l"));
  // Which of the user's options name a log, and which make the installer silent; a quoted
  // value is an argument, not a switch.
  const struct {
    const char* options;
    bool ownLog, silent;
  } cases[] = {
      {"", false, false},          {"/qn", false, true},
      {"/QN /L*V x.log", true, true}, {"-quiet", false, true},
      {"/q", false, true},         {"/passive", false, true},
      {"/qb", false, false},       {"/qn+", false, false},
      {"/log x.log", true, false}, {"INSTALLDIR=\"C:\\a /qn\" /qb", false, false},
      {"PROP=/l", false, false},   {"/", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.ownLog, HasOwnLog(c.options)) << c.options;
    EXPECT_EQ(c.silent, IsSilent(c.options)) << c.options;
  }
}

TEST(SetupPlanTest, TellsAFailureTheInstallerDidNotAndNamesTheLog) {
  const std::string log = "C:\\T\\Velmora Setup.log";
  for (const unsigned long quiet : {0ul, 3010ul, 1641ul, 1602ul, 1603ul})
    EXPECT_EQ("", InstallerFailureMessage(quiet, "", log)) << quiet;
  const std::string failed = InstallerFailureMessage(1618, "", log);
  EXPECT_NE(std::string::npos, failed.find("error 1618")) << failed;
  EXPECT_NE(std::string::npos, failed.find(log)) << failed;
  EXPECT_EQ("", InstallerFailureMessage(1618, "/qn", log)) << "a silent run has nobody to tell";
  EXPECT_EQ(std::string::npos, InstallerFailureMessage(1618, "/l x.log", "").find("log")) << "no log of ours";
}

TEST(SetupPlanTest, StartsAPaletteItClosedAgainWhateverTheResultNeverWithMoreRightsThanTheUser) {
  const std::string installed = "C:\\Tools\\Velmora\\Velmora.exe";
  const std::string closed = "C:\\Old\\Velmora.exe";
  constexpr auto kNone = PaletteStart::kNone;
  constexpr auto kItself = PaletteStart::kItself;
  constexpr auto kShell = PaletteStart::kThroughDesktopShell;
  struct Case {
    int closedCount;
    unsigned long result;
    bool elevated;
    std::string installed, closed;
    PaletteStart how;
    std::string program;
  };
  const Case cases[] = {
      {1, 0, false, installed, closed, kItself, installed},       // upgraded: the new program
      {2, 3010, false, installed, closed, kItself, installed},
      {1, 1602, false, installed, closed, kItself, closed},       // cancelled: the one it closed
      {1, 1603, false, installed, closed, kItself, closed},       // refused
      {1, 1603, false, installed, "", kItself, installed},        // the closed one's path unknown
      {1, 0, false, "", closed, kItself, closed},
      {1, 0, true, installed, closed, kShell, installed},         // elevated: never itself
      {1, 1603, true, installed, closed, kShell, closed},
      {1, 1602, true, "", closed, kShell, closed},
      {0, 0, false, installed, closed, kNone, ""},                // it closed none
      {0, 1603, true, installed, closed, kNone, ""},
      {1, 1603, false, "", "", kNone, ""},                        // nothing known to start
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.closedCount) + " closed, result " + std::to_string(c.result) +
                 (c.elevated ? ", elevated" : ""));
    const PaletteRestart restart = PlanPaletteRestart(c.closedCount, c.result, c.elevated, c.installed, c.closed);
    EXPECT_EQ(c.how, restart.how);
    if (c.how != kNone) {
      EXPECT_EQ(c.program, restart.program);
    }
  }
  EXPECT_EQ("C:\\Tools\\Velmora\\Velmora.exe", InstalledProgram("C:\\Tools\\Velmora\\"));
  EXPECT_EQ("C:\\Tools\\Velmora\\Velmora.exe", InstalledProgram("C:\\Tools\\Velmora"));
  EXPECT_EQ("", InstalledProgram(""));
}

}  // namespace
}  // namespace velmora::setup
