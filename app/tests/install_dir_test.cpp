#include <gtest/gtest.h>

#include "app/install_dir.h"
#include "common/registry_names.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::FakeSystem;
using testing::RecordingPrompts;

TEST(StripTrailingBackslashesTest, DropsEveryTrailingBackslashOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"\\", ""}, {"\\\\\\", ""}, {"C:\\VELMORA\\\\", "C:\\VELMORA"},
      {"C:\\VELMORA", "C:\\VELMORA"}, {"\\\\srv\\share\\", "\\\\srv\\share"}, {"C:\\", "C:"},
  };
  for (const auto& c : cases) {
    std::string s = c.first;
    StripTrailingBackslashes(s);
    EXPECT_EQ(c.second, s) << c.first;
  }
}

class LoadInstallDirTest : public ::testing::Test {
 protected:
  const char* key = "Software\\Nolvex\\Velmora";
  MemoryRegistry reg;
  FakeSystem sys;
  RecordingPrompts prompts;
  std::string cwd = "C:\\Program Files\\Velmora Client";
};

TEST_F(LoadInstallDirTest, RegistryValueWithoutItsTrailingBackslashes) {
  reg.WriteString(key, "InstalledDirectory", "C:\\VELMORA\\\\", 13);
  EXPECT_EQ("C:\\VELMORA", LoadInstallDir(reg, sys, prompts));
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(LoadInstallDirTest, LongestValueThatFitsIsUsedAndOneMoreFallsBack) {
  sys.currentDirectory = &cwd;
  sys.shortForm = "C:\\PROGRA~1\\VELMOR~1";
  const std::string v259 = "C:\\" + std::string(256, 'd');
  reg.WriteString(key, "InstalledDirectory", v259.c_str(), 260);
  EXPECT_EQ(v259, LoadInstallDir(reg, sys, prompts));
  const std::string v260 = v259 + "e";
  reg.WriteString(key, "InstalledDirectory", v260.c_str(), 261);
  EXPECT_EQ("C:\\PROGRA~1\\VELMOR~1", LoadInstallDir(reg, sys, prompts));
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(LoadInstallDirTest, WrongTypeFallsBackToShortCurrentDirectoryOrItsLongForm) {
  reg.WriteDword(key, "InstalledDirectory", 3);
  sys.currentDirectory = &cwd;
  sys.shortForm = "C:\\PROGRA~1\\VELMOR~1";
  EXPECT_EQ("C:\\PROGRA~1\\VELMOR~1", LoadInstallDir(reg, sys, prompts));
  sys.shortForm.clear();
  EXPECT_EQ(cwd, LoadInstallDir(reg, sys, prompts));
}

TEST_F(LoadInstallDirTest, DriveRootKeepsItsBackslashOnTheFallbackPath) {
  const std::string root = "D:\\";
  sys.currentDirectory = &root;
  sys.shortForm = "D:\\";
  EXPECT_EQ("D:\\", LoadInstallDir(reg, sys, prompts));
}

TEST_F(LoadInstallDirTest, NoDirectoryAtAllShows20015AndUsesDriveC) {
  EXPECT_EQ("C:", LoadInstallDir(reg, sys, prompts));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20015, prompts.boxes[0].id);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(nullptr, prompts.boxes[0].owner);
}

}  // namespace
}  // namespace velmora
