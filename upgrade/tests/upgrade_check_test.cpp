#include <gtest/gtest.h>

#include "common/version_text.h"
#include "upgrade/tests/upgrade_test_support.h"
#include "upgrade/upgrade_check.h"

namespace velmora {
namespace {

using testing::FakeSystem;
using testing::RecordingPrompts;
using testing::ScriptedPrompt;
using testing::UserAction;

// Remembers what was still on offer at the moment the installer started.
class WatchingSystem : public FakeSystem {
 public:
  explicit WatchingSystem(MemoryRegistry& reg) : m_reg(reg) {}
  std::intptr_t RunProgram(const std::string& dir, const std::string& file) override {
    requestLeftAtStart = m_reg.Find(kGeneralKey, kShouldUpgradeValue) != nullptr;
    markerLeftAtStart = files.count("C:\\Velmora\\UPGRADE.DAT") != 0;
    return FakeSystem::RunProgram(dir, file);
  }
  bool requestLeftAtStart = false, markerLeftAtStart = false;

 private:
  MemoryRegistry& m_reg;
};

class CheckForUpgradeTest : public ::testing::Test {
 protected:
  void Offer() {
    reg.WriteDword(kGeneralKey, kShouldUpgradeValue, 1);
    reg.WriteString(kRunKey, kUpgradeRunValue, "C:\\VELMORA\\UPG.EXE", 19);
    sys.files.insert("C:\\Velmora\\UPGRADE.DAT");
  }
  int Check(bool force = false) { return CheckForUpgrade(services, force, prompt); }

  MemoryRegistry reg;
  WatchingSystem sys{reg};
  RecordingPrompts prompts;
  MemoryRegistry userReg;
  UpgradeServices services{reg, userReg, sys, prompts, "C:\\Velmora"};
  ScriptedPrompt prompt{services};
};

TEST_F(CheckForUpgradeTest, NoRequestShowsNothingAndChangesNothing) {
  EXPECT_EQ(0, Check());  // value missing
  reg.WriteDword(kGeneralKey, kShouldUpgradeValue, 0);
  EXPECT_EQ(0, Check());
  reg.WriteString(kGeneralKey, kShouldUpgradeValue, "1", 2);  // wrong type counts as missing
  EXPECT_EQ(0, Check());
  reg.WriteValue(kGeneralKey, kShouldUpgradeValue, kRegBinary, reinterpret_cast<const std::uint8_t*>("\1\0\0\0"), 4);
  EXPECT_EQ(0, Check());
  EXPECT_EQ(0, prompt.runs);
  EXPECT_EQ(3u, reg.Log().size());  // only the test's own writes
  EXPECT_TRUE(sys.started.empty());
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CheckForUpgradeTest, ForcedPromptIgnoresTheRegistry) {
  reg.WriteDword(kGeneralKey, kShouldUpgradeValue, 0);
  prompt.actions = {UserAction::No()};
  EXPECT_EQ(0, Check(true));
  EXPECT_EQ(1, prompt.runs);
  EXPECT_EQ("Velmora Client version 4.5.1 (370)", prompt.version);
}

TEST_F(CheckForUpgradeTest, ProposedInstallerComesFromSetupExeDirAsStoredElseTheInstallDir) {
  Offer();
  prompt.actions = {UserAction::No()};
  Check();
  EXPECT_EQ("C:\\Velmora\\SETUP.EXE", prompt.proposed);

  // Looked up through the product key path with its trailing backslash; used as stored.
  const std::string share = "\\\\srv\\Dist\\";
  reg.WriteString(kProductKeyWithSlash, kSetupExeDirValue, share.c_str(), static_cast<std::uint32_t>(share.size() + 1));
  Check();
  EXPECT_EQ("\\\\srv\\Dist\\\\SETUP.EXE", prompt.proposed);

  // Too long for the 260-byte buffer, or not text: the installation directory.
  const std::string tooLong(260, 'x');
  reg.WriteString(kProductKeyWithSlash, kSetupExeDirValue, tooLong.c_str(), 261);
  Check();
  EXPECT_EQ("C:\\Velmora\\SETUP.EXE", prompt.proposed);
  reg.WriteDword(kProductKeyWithSlash, kSetupExeDirValue, 7);
  Check();
  EXPECT_EQ("C:\\Velmora\\SETUP.EXE", prompt.proposed);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CheckForUpgradeTest, NoGoesOnAndLeavesTheOfferForTheNextStart) {
  Offer();
  prompt.actions = {UserAction::No()};
  EXPECT_EQ(0, Check());
  EXPECT_NE(nullptr, reg.Find(kGeneralKey, kShouldUpgradeValue));
  EXPECT_TRUE(sys.deleted.empty());
  EXPECT_TRUE(sys.started.empty());
  EXPECT_EQ(0, Check());
  EXPECT_EQ(2, prompt.runs);
}

TEST_F(CheckForUpgradeTest, CheckBoxAndNoWithdrawTheOfferForGood) {
  Offer();
  prompt.actions = {UserAction::No(1)};
  EXPECT_EQ(0, Check());
  EXPECT_EQ(nullptr, reg.Find(kGeneralKey, kShouldUpgradeValue));
  EXPECT_EQ(nullptr, reg.Find(kRunKey, kUpgradeRunValue));
  EXPECT_EQ(0u, sys.files.count("C:\\Velmora\\UPGRADE.DAT"));
  EXPECT_TRUE(sys.started.empty());
  EXPECT_EQ(0, Check());
  EXPECT_EQ(1, prompt.runs);
}

// A user who may not change the machine's offer (a standard user) withdraws it for himself
// alone: the offer, its marker and its log-on entry stay for everyone else, and it comes back
// for him only with another client version, or when asked for.
TEST_F(CheckForUpgradeTest, AWithdrawalRefusedForTheMachineHoldsForThatUserAlone) {
  Offer();
  reg.FailDeletes(kGeneralKey, kShouldUpgradeValue, 5);
  prompt.actions = {UserAction::No(1)};
  EXPECT_EQ(0, Check());
  EXPECT_NE(nullptr, reg.Find(kGeneralKey, kShouldUpgradeValue));
  EXPECT_NE(nullptr, reg.Find(kRunKey, kUpgradeRunValue));
  EXPECT_EQ(1u, sys.files.count("C:\\Velmora\\UPGRADE.DAT"));
  EXPECT_TRUE(sys.deleted.empty());
  char declined[64] = {};
  std::uint32_t size = sizeof declined;
  ASSERT_EQ(0, userReg.ReadString(kGeneralKey, kUpgradeDeclinedValue, declined, &size));
  EXPECT_EQ(ClientVersionText(), declined);
  EXPECT_EQ(0, Check());
  EXPECT_EQ(1, prompt.runs) << "withdrawn for this user";

  MemoryRegistry otherUser;
  const UpgradeServices other{reg, otherUser, sys, prompts, "C:\\Velmora"};
  EXPECT_TRUE(UpgradeRequested(other, false)) << "another user is still offered it";
  EXPECT_TRUE(UpgradeRequested(services, true)) << "asked for on the command line";
  userReg.WriteString(kGeneralKey, kUpgradeDeclinedValue, "4.5.1 (369)", 12);
  EXPECT_TRUE(UpgradeRequested(services, false)) << "withdrawn for an earlier version only";
  reg.WriteDword(kGeneralKey, kShouldUpgradeValue, 0);
  EXPECT_FALSE(UpgradeRequested(other, false));
}

TEST_F(CheckForUpgradeTest, YesWithAnExistingInstallerStartsItUpperCasedAfterTheDeletions) {
  Offer();
  sys.files.insert("c:\\Velmora\\Setup.exe");
  prompt.actions = {UserAction::Yes(1, kPromptOk, "c:\\Velmora\\Setup.exe")};
  EXPECT_EQ(1, Check());
  EXPECT_EQ(std::vector<std::string>{"C:\\VELMORA\\SETUP.EXE"}, sys.started);
  EXPECT_EQ(std::vector<std::string>{"C:\\VELMORA"}, sys.startedDirs);
  EXPECT_FALSE(sys.requestLeftAtStart);
  EXPECT_FALSE(sys.markerLeftAtStart);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CheckForUpgradeTest, YesWithoutTheCheckBoxKeepsTheOffer) {
  Offer();
  sys.files.insert("C:\\Velmora\\SETUP.EXE");
  prompt.actions = {UserAction::Yes(0, kPromptOk, "C:\\Velmora\\SETUP.EXE")};
  EXPECT_EQ(1, Check());
  EXPECT_TRUE(sys.requestLeftAtStart);
  EXPECT_NE(nullptr, reg.Find(kRunKey, kUpgradeRunValue));
}

TEST_F(CheckForUpgradeTest, RefusedChoicesKeepThePromptOpenUntilOneIsConfirmed) {
  Offer();
  sys.files.insert("D:\\NEW\\SETUP.EXE");
  sys.files.insert("SETUP.EXE");
  prompt.actions = {
      UserAction::Yes(1, kPromptCancel, ""),                       // program dialog cancelled
      UserAction::Yes(1, kPromptOk, "C:\\Velmora\\SETUP.EXE"),     // missing: 20025
      UserAction::Yes(1, kPromptOk, "SETUP.EXE"),                  // no directory: 20025
      UserAction::Yes(1, kPromptOk, "D:\\NEW\\SETUP.EXE"),         // browsed to an existing file
  };
  EXPECT_EQ(1, Check());
  EXPECT_EQ((std::vector<int>{20025, 20025}), prompts.Ids());
  EXPECT_EQ(std::vector<std::string>{"D:\\NEW\\SETUP.EXE"}, sys.started);
  // The confirmation applied the check box before the start.
  EXPECT_FALSE(sys.requestLeftAtStart);
}

TEST_F(CheckForUpgradeTest, FailedStartShows20016WithTheFullPathAndStillEnds) {
  Offer();
  sys.files.insert("c:\\velmora\\setup.exe");
  sys.runResult = 2;
  prompt.actions = {UserAction::Yes(0, kPromptOk, "c:\\velmora\\setup.exe")};
  EXPECT_EQ(1, Check());
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20016, prompts.boxes[0].id);
  EXPECT_EQ("C:\\VELMORA\\SETUP.EXE", prompts.boxes[0].arg);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(nullptr, prompts.boxes[0].owner);

  // 32 is still a failure; 33 is the first success.
  prompts.boxes.clear();
  sys.runResult = 32;
  EXPECT_EQ(1, Check());
  EXPECT_EQ(std::vector<int>{20016}, prompts.Ids());
  prompts.boxes.clear();
  sys.runResult = 33;
  EXPECT_EQ(1, Check());
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CheckForUpgradeTest, APromptThatCouldNotBeShownStartsNothing) {
  Offer();
  prompt.failToCreate = true;
  EXPECT_EQ(0, Check());
  EXPECT_TRUE(sys.started.empty());
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_NE(nullptr, reg.Find(kGeneralKey, kShouldUpgradeValue));
}

}  // namespace
}  // namespace velmora
