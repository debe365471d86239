// Every registry value the program reads, stored the wrong way: each wrong type, empty, exactly
// at and just over the size the program reads, and without its terminating zero. The program
// must show what it defines for a missing value (or use the value when it fits), never show a
// box it does not define, and never leave a value it writes in a corrupted form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/fault_support.h"
#include "tests/e2e/options_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace {

using namespace fault_e2e;

constexpr DWORD kRegQword = 11;

struct Stored {
  const char* label;
  DWORD type;
  std::string bytes;
};

std::string Z(const std::string& text) { return text + std::string(1, '\0'); }

// A REG_DWORD reader's faults: every one reads as missing.
std::vector<Stored> BadDwords(const std::string& four) {
  return {
      {"REG_SZ of two bytes", REG_SZ, Z("1")},
      {"REG_SZ longer than four bytes", REG_SZ, Z("20480")},
      {"REG_BINARY of four bytes", REG_BINARY, four},
      {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, four},
      {"REG_QWORD", kRegQword, four + std::string(4, '\0')},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, Z("1")},
      {"REG_MULTI_SZ", REG_MULTI_SZ, Z(Z("1"))},
      {"REG_NONE, empty", REG_NONE, ""},
      {"REG_DWORD, empty", REG_DWORD, ""},
      {"REG_DWORD of three bytes", REG_DWORD, four.substr(0, 3)},
      {"REG_DWORD of five bytes", REG_DWORD, four + std::string(1, '\0')},
  };
}

std::string Le(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

class FaultRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    ASSERT_TRUE(m_driver.Serving());
  }
  void TearDown() override { robot::ResetVelmoraRegistry(); }
  robot::FakeDriver m_driver;  // inactive, so "/DEA" ends the run without a change
};

TEST_F(FaultRegistryTest, ShouldUpgradeInAnyWrongFormOffersNothingAndIsLeftAlone) {
  for (const Stored& v : BadDwords(Le(1))) {
    robot::ResetVelmoraRegistry();
    robot::SetRaw(kGeneral, "ShouldUpgrade", v.type, v.bytes);
    const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
    const Course run = RunToEnd("/DEA /NOB");
    ASSERT_TRUE(run.ended) << v.label;
    EXPECT_TRUE(run.dialogs.empty()) << v.label << ": " << (run.dialogs.empty() ? "" : run.dialogs[0]);
    EXPECT_TRUE(run.errors.empty()) << v.label;
    EXPECT_EQ(0u, run.exitCode) << v.label;
    EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX")) << v.label;
  }
  // The proper form, as a control: four bytes of REG_DWORD offer the upgrade.
  robot::SetRaw(kGeneral, "ShouldUpgrade", REG_DWORD, Le(1));
  const Course run = RunToEnd("/DEA /NOB");
  EXPECT_EQ(std::vector<std::string>{"Velmora Upgrade"}, run.dialogs);
}

// The upgrade course shows the installer it proposes, made from the installation directory or
// "SetupExeDir": that is where a person can see what the program made of those values.
std::string ProposedInstaller() {
  // Started in the build's program folder, whose short form is the fallback directory.
  robot::Process p = robot::Start("Velmora.exe", "/UPG /DEA /NOB", robot::ProgramDir());
  HWND prompt = robot::WaitForTopWindow(p.Pid(), "#32770", "Velmora Upgrade", 10s);
  EXPECT_NE(nullptr, prompt);
  if (!prompt) return "(no prompt)";
  robot::PressButton(prompt, IDOK);
  HWND program = robot::WaitForTopWindow(p.Pid(), "#32770", "Velmora Client Upgrade", 10s);
  EXPECT_NE(nullptr, program);
  if (!program) return "(no program dialog)";
  const std::string shown = robot::Text(GetDlgItem(program, IDC_UPGRADE_PROGRAM_PATH));
  robot::PressButton(program, IDCANCEL);
  robot::WaitUntil([&] { return !IsWindow(program); }, 5s);
  robot::PressButton(prompt, IDCANCEL);
  DWORD code = 99;
  EXPECT_TRUE(p.WaitForExit(10s, &code));
  EXPECT_TRUE(robot::MessageBoxes(p.Pid()).empty());
  return shown;
}

struct StringCase {
  Stored stored;
  bool used;             // read as stored (else: as missing)
  std::string readAs;    // when used: the directory the program takes from it
};

std::vector<StringCase> StringCases() {
  const std::string at = "C:\\" + std::string(256, 'A');  // 259 characters and the zero: 260 bytes
  const std::string over = "C:\\" + std::string(257, 'B');
  std::vector<StringCase> cases;
  auto add = [&](const char* label, DWORD type, const std::string& bytes, bool used, const std::string& readAs) {
    cases.push_back(StringCase{Stored{label, type, bytes}, used, readAs});
  };
  add("REG_DWORD", REG_DWORD, Le(0x5C3A43), false, "");
  add("REG_BINARY", REG_BINARY, Z("C:\\BIN"), false, "");
  add("REG_EXPAND_SZ", REG_EXPAND_SZ, Z("C:\\EXP"), false, "");
  add("REG_MULTI_SZ", REG_MULTI_SZ, Z(Z("C:\\MULTI")), false, "");
  add("REG_NONE, empty", REG_NONE, "", false, "");
  add("REG_SZ, empty", REG_SZ, "", true, "");
  add("REG_SZ, only the zero", REG_SZ, Z(""), true, "");
  add("REG_SZ exactly filling the buffer", REG_SZ, Z(at), true, at);
  add("REG_SZ filling the buffer without a zero", REG_SZ, over.substr(0, 260), false, "");
  add("REG_SZ one byte over the buffer", REG_SZ, Z(over), false, "");
  add("REG_SZ without a zero", REG_SZ, "C:\\SHORT", true, "C:\\SHORT");
  return cases;
}

TEST_F(FaultRegistryTest, InstalledDirectoryInAnyWrongFormFallsBackToTheCurrentDirectory) {
  char shortCwd[MAX_PATH] = {};
  GetShortPathNameA(robot::ProgramDir().c_str(), shortCwd, MAX_PATH);
  for (const StringCase& c : StringCases()) {
    robot::ResetVelmoraRegistry();
    robot::SetRaw(kProduct, "InstalledDirectory", c.stored.type, c.stored.bytes);
    const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
    const std::string dir = c.used ? c.readAs : std::string(shortCwd);
    EXPECT_EQ(dir + "\\SETUP.EXE", ProposedInstaller()) << c.stored.label;
    EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX")) << c.stored.label;
  }
}

TEST_F(FaultRegistryTest, SetupExeDirInAnyWrongFormFallsBackToTheInstallationDirectory) {
  for (const StringCase& c : StringCases()) {
    robot::ResetVelmoraRegistry();
    robot::SetString(kProduct, "InstalledDirectory", "C:\\INST\\");
    robot::SetRaw(kProduct, "SetupExeDir", c.stored.type, c.stored.bytes);
    const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
    const std::string dir = c.used ? c.readAs : std::string("C:\\INST");
    EXPECT_EQ(dir + "\\SETUP.EXE", ProposedInstaller()) << c.stored.label;
    EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX")) << c.stored.label;
  }
}

class FaultCacheValuesTest : public options_e2e::OptionsTest {};

// Each round stores a different wrong form in each of the three values, opens the sheet from
// the palette of one running program, and checks the three boxes, the defaults shown and the
// proper REG_DWORD values written back. The default agent, which this sheet does not show,
// stays as it was stored.
TEST_F(FaultCacheValuesTest, EveryWrongFormOfTheCacheValuesIsReportedAndReplacedByAProperDefault) {
  const std::vector<Stored> bad = BadDwords(Le(4096));
  robot::SetRaw(kAgents, "", REG_BINARY, "NT.AGENT");
  const std::string agentBefore = robot::Snapshot(kAgents);
  const char* names[] = {"BlockSize", "MaxSize", "RefreshTimer"};
  for (std::size_t round = 0; round < bad.size(); ++round) {
    for (std::size_t i = 0; i < 3; ++i) {
      const Stored& v = bad[(round + i * 4) % bad.size()];
      robot::SetRaw(kCache, names[i], v.type, v.bytes);
    }
    std::vector<int> codes;
    for (const robot::MessageBoxSeen& b : OpenSheet()) codes.push_back(20000 + std::stoi(b.caption.substr(b.caption.rfind(' ') + 1)));
    ASSERT_NE(nullptr, m_sheet) << "round " << round;
    EXPECT_EQ((std::vector<int>{20002, 20003, 20004}), codes) << "round " << round;
    EXPECT_EQ("2", Shown(options_e2e::kBlockSizeBox));
    EXPECT_EQ("20", Shown(options_e2e::kMaxSizeBox));
    EXPECT_EQ("0", Shown(options_e2e::kHoursBox));
    EXPECT_EQ("10", Shown(options_e2e::kMinutesBox));
    EXPECT_EQ("0", Shown(options_e2e::kSecondsBox));
    EXPECT_FALSE(ApplyEnabled());
    const std::string expected = robot::Snapshot(kCache);
    robot::SetDword(kCache, "BlockSize", 2048);
    robot::SetDword(kCache, "MaxSize", 20480);
    robot::SetDword(kCache, "RefreshTimer", 600);
    EXPECT_EQ(robot::Snapshot(kCache), expected) << "round " << round << ": not the proper REG_DWORD defaults";
    PressAndSettle(IDCANCEL);
    ASSERT_TRUE(SheetClosed());
    ASSERT_TRUE(robot::WaitUntil([&] { return IsWindowVisible(m_palette) != FALSE; }, 5s));
  }
  EXPECT_EQ(agentBefore, robot::Snapshot(kAgents));
}

}  // namespace
