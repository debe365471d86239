#include <gtest/gtest.h>

#include "upgrade/installer_choice.h"
#include "upgrade/tests/upgrade_test_support.h"

namespace velmora {
namespace {

using testing::FakeSystem;
using testing::RecordingPrompts;

TEST(SplitInstallerPathTest, SplitsAtTheLastBackslash) {
  struct Case {
    const char* path;
    bool hasDirectory;
    const char* dir;
    const char* file;
  } const cases[] = {
      {"C:\\VELMORA\\SETUP.EXE", true, "C:\\VELMORA", "SETUP.EXE"},
      {"\\\\SRV\\SHARE\\NEW\\SETUP.EXE", true, "\\\\SRV\\SHARE\\NEW", "SETUP.EXE"},
      {"C:\\SETUP.EXE", true, "C:", "SETUP.EXE"},
      {"C:\\VELMORA\\", true, "C:\\VELMORA", ""},
      {"\\SETUP.EXE", true, "", "SETUP.EXE"},
      {"SETUP.EXE", false, "", ""},
      {"C:SETUP.EXE", false, "", ""},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    const InstallerSplit s = SplitInstallerPath(c.path);
    EXPECT_EQ(c.hasDirectory, s.hasDirectory) << c.path;
    EXPECT_EQ(c.dir, s.dir) << c.path;
    EXPECT_EQ(c.file, s.file) << c.path;
  }
}

class InstallerChoiceTest : public ::testing::Test {
 protected:
  MemoryRegistry reg;
  FakeSystem sys;
  RecordingPrompts prompts;
  MemoryRegistry userReg;
  UpgradeServices services{reg, userReg, sys, prompts, "C:\\Velmora"};
  std::string dir = "old dir", file = "old file";
};

TEST_F(InstallerChoiceTest, ConfirmedPathIsUpperCasedThenSplit) {
  sys.files = {"d:\\Neue Version\\Setup & Go.exe"};
  EXPECT_TRUE(ConfirmInstaller("d:\\Neue Version\\Setup & Go.exe", &dir, &file, services));
  EXPECT_EQ("D:\\NEUE VERSION", dir);
  EXPECT_EQ("SETUP & GO.EXE", file);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(InstallerChoiceTest, MissingFileShows20025AndKeepsTheParts) {
  EXPECT_FALSE(ConfirmInstaller("C:\\GONE\\SETUP.EXE", &dir, &file, services));
  EXPECT_EQ(std::vector<int>{20025}, prompts.Ids());
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(nullptr, prompts.boxes[0].owner);
  EXPECT_EQ("old dir", dir);
  EXPECT_EQ("old file", file);
}

TEST_F(InstallerChoiceTest, ExistingPathWithoutBackslashEmptiesBothPartsAndShows20025) {
  sys.files = {"setup.exe"};
  EXPECT_FALSE(ConfirmInstaller("setup.exe", &dir, &file, services));
  EXPECT_EQ(std::vector<int>{20025}, prompts.Ids());
  EXPECT_EQ("", dir);
  EXPECT_EQ("", file);
}

TEST_F(InstallerChoiceTest, ProgramDialogAcceptsOnlyAnExistingFile) {
  sys.files = {"C:\\NEW\\SETUP.EXE"};
  EXPECT_TRUE(AcceptProgramPath("C:\\NEW\\SETUP.EXE", services));
  EXPECT_FALSE(AcceptProgramPath("C:\\NEW\\OTHER.EXE", services));
  EXPECT_FALSE(AcceptProgramPath("", services));
  EXPECT_EQ((std::vector<int>{20025, 20025}), prompts.Ids());
}

TEST_F(InstallerChoiceTest, CheckBoxRemovesMarkerRequestAndLogOnEntryIgnoringFailures) {
  reg.WriteDword(kGeneralKey, kShouldUpgradeValue, 1);
  reg.WriteDword(kGeneralKey, "ActivateState", 1);
  reg.WriteString(kRunKey, kUpgradeRunValue, "x", 2);
  reg.FailDeletes(kRunKey, kUpgradeRunValue, 1018);
  sys.files = {"C:\\Velmora\\UPGRADE.DAT"};

  ApplyDontAskAgain(0, services);
  EXPECT_TRUE(sys.deleted.empty());
  EXPECT_NE(nullptr, reg.Find(kRunKey, kUpgradeRunValue));

  // A refused deletion does not stop the others.
  ApplyDontAskAgain(1, services);
  EXPECT_EQ(std::vector<std::string>{"C:\\Velmora\\UPGRADE.DAT"}, sys.deleted);
  EXPECT_EQ(nullptr, reg.Find(kGeneralKey, kShouldUpgradeValue));
  EXPECT_NE(nullptr, reg.Find(kRunKey, kUpgradeRunValue));
  EXPECT_NE(nullptr, reg.Find(kGeneralKey, "ActivateState"));

  // Everything already gone: nothing to report.
  ApplyDontAskAgain(1, services);
  EXPECT_TRUE(prompts.boxes.empty());
}

}  // namespace
}  // namespace velmora
