#include "tests/e2e/upgrade_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include "common/palette_contract.h"

namespace upgrade_e2e {

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

HWND FindFileNameEdit(HWND openDialog) {
  const int kEdt1 = 0x480, kCmb13 = 0x47C;  // the ids the system's templates give it
  if (HWND edit = GetDlgItem(openDialog, kEdt1)) return edit;
  HWND box = GetDlgItem(openDialog, kCmb13);
  // An extended combo box holds a combo box, which holds the edit.
  if (box && robot::ClassName(box) == "ComboBoxEx32") box = FindWindowExA(box, nullptr, "ComboBox", nullptr);
  return box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
}

void UpgradeTest::SetUp() {
  robot::ResetVelmoraRegistry();
  m_driver = std::make_unique<robot::FakeDriver>();
  ASSERT_TRUE(m_driver->Serving());

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int s_nTest = 0;
  m_installDir = std::string(temp) + "Velmora Client " + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++s_nTest);
  std::error_code ignored;
  std::filesystem::remove_all(m_installDir, ignored);
  ASSERT_TRUE(CreateDirectoryA(m_installDir.c_str(), nullptr));
  robot::SetString(kProduct, "InstalledDirectory", m_installDir);
}

void UpgradeTest::TearDown() {
  m_driver.reset();
  // A test installer may still be ending, its working directory in the folder.
  robot::WaitUntil(
      [&] {
        std::error_code failed;
        std::filesystem::remove_all(m_installDir, failed);
        return !failed;
      },
      5s);
  robot::ResetVelmoraRegistry();
}

void UpgradeTest::Offer() {
  robot::SetDword(kGeneral, "ShouldUpgrade", 1);
  robot::SetString(kRun, "VelmoraUpgrade", m_installDir + "\\UPGRADE.EXE");
  WriteFile(m_installDir + "\\UPGRADE.DAT", "4.6.0");
}

void UpgradeTest::PutInstaller(const std::string& dir, const std::string& name) {
  ASSERT_TRUE(CopyFileA((robot::ProgramDir() + "\\test_installer.exe").c_str(), (dir + "\\" + name).c_str(), FALSE));
}

std::string UpgradeTest::MakeDir(const std::string& name) {
  const std::string dir = m_installDir + "\\" + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

robot::Process UpgradeTest::StartVelmora(const std::string& args) {
  robot::Process p = robot::Start("Velmora.exe", args);
  EXPECT_TRUE(p.Running());
  return p;
}

HWND UpgradeTest::WaitForPrompt(robot::Process& p) {
  return robot::WaitForTopWindow(p.Pid(), "#32770", kPromptCaption, 10s);
}

HWND UpgradeTest::WaitForProgramDialog(robot::Process& p) {
  return robot::WaitForTopWindow(p.Pid(), "#32770", kProgramCaption, 10s);
}

bool UpgradeTest::WaitForErrorBox(robot::Process& p, robot::MessageBoxSeen* box) {
  return robot::WaitUntil(
      [&] {
        for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid())) {
          if (b.caption.rfind("Velmora Error", 0) == 0) {
            *box = b;
            return true;
          }
        }
        return false;
      },
      10s);
}

void UpgradeTest::ExpectPaletteThenClose(robot::Process& p) {
  HWND palette = robot::WaitForTopWindow(p.Pid(), velmora::kPaletteClassName, "", 10s);
  ASSERT_NE(nullptr, palette) << "start-up did not go on to the palette";
  EXPECT_EQ(nullptr, robot::FindTopWindow(p.Pid(), "#32770", kPromptCaption));
  PostMessageA(palette, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10s));
}

HWND UpgradeTest::Yes(robot::Process& p, HWND prompt) {
  robot::PressButton(prompt, IDOK);
  return WaitForProgramDialog(p);
}

void UpgradeTest::PromptThenYes(robot::Process& p, HWND* prompt, HWND* program) {
  *prompt = WaitForPrompt(p);
  ASSERT_NE(nullptr, *prompt);
  *program = Yes(p, *prompt);
  ASSERT_NE(nullptr, *program);
}

void UpgradeTest::CheckDontAskAgain(HWND prompt) {
  robot::PressButton(prompt, kDontAskAgain);
  EXPECT_TRUE(robot::WaitUntil(
      [&] { return SendMessageA(GetDlgItem(prompt, kDontAskAgain), BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
}

std::map<std::string, std::string> UpgradeTest::WaitForInstallerLog(const std::string& dir, robot::Millis timeout) {
  const std::string log = dir + "\\INSTALLER.LOG";
  std::map<std::string, std::string> entries;
  // The installer may still be writing its log when the file appears: wait for its last line.
  robot::WaitUntil(
      [&] {
        entries.clear();
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
          const std::size_t eq = line.find('=');
          if (eq != std::string::npos) entries[line.substr(0, eq)] = line.substr(eq + 1);
        }
        return entries.count("request") != 0;
      },
      timeout);
  return entries;
}

bool UpgradeTest::OfferGone() const {
  return !robot::ValueExists(kGeneral, "ShouldUpgrade") && !robot::ValueExists(kRun, "VelmoraUpgrade") &&
         !FileExists(m_installDir + "\\UPGRADE.DAT");
}

}  // namespace upgrade_e2e
