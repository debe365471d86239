// Shared set-up of the upgrade courses: a client installed in a folder of its own (with the
// test installer as SETUP.EXE), an upgrade on offer, and a driver played by the test.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "res/resource.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace upgrade_e2e {

using namespace std::chrono_literals;

using namespace robot::keys;
using robot::FileExists;
constexpr char kPromptCaption[] = "Velmora Upgrade";
constexpr char kProgramCaption[] = "Velmora Client Upgrade";
constexpr int kDontAskAgain = IDC_UPGRADE_DONT_ASK;
constexpr int kVersionText = IDC_UPGRADE_VERSION;
constexpr int kBrowse = IDC_UPGRADE_BROWSE;
constexpr int kProgramPath = IDC_UPGRADE_PROGRAM_PATH;

std::string Upper(std::string text);
void WriteFile(const std::string& path, const std::string& bytes);
// The file-name box of the common file-open dialog.
HWND FindFileNameEdit(HWND openDialog);

class UpgradeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // "ShouldUpgrade" = 1, the marker file and the log-on entry, as the client's updater leaves them.
  void Offer();
  // Copies the test installer into dir under name.
  void PutInstaller(const std::string& dir, const std::string& name = "SETUP.EXE");
  std::string MakeDir(const std::string& name);  // a folder inside the installation folder

  robot::Process StartVelmora(const std::string& args = "");
  HWND WaitForPrompt(robot::Process& p);
  HWND WaitForProgramDialog(robot::Process& p);
  // The next box of the program with an error caption ("Velmora Error :  N").
  bool WaitForErrorBox(robot::Process& p, robot::MessageBoxSeen* box);
  // Waits for the palette (start-up went on), closes it and waits for the end.
  void ExpectPaletteThenClose(robot::Process& p);
  // Presses Yes and waits for the program dialog.
  HWND Yes(robot::Process& p, HWND prompt);
  // Waits for the prompt of a started program and presses Yes; both windows must show.
  void PromptThenYes(robot::Process& p, HWND* prompt, HWND* program);
  void CheckDontAskAgain(HWND prompt);

  // The test installer's log in dir, once it has run; empty when it did not run in time.
  std::map<std::string, std::string> WaitForInstallerLog(const std::string& dir, robot::Millis timeout = 10s);
  bool OfferGone() const;

  std::string m_installDir;  // with lower-case letters and a blank, so upper-casing shows
  std::unique_ptr<robot::FakeDriver> m_driver;
};

}  // namespace upgrade_e2e
