// The upgrade offer at start-up: when it is shown, and what No and the check box do.
#include "tests/e2e/upgrade_fixture.h"

namespace upgrade_e2e {
namespace {

TEST_F(UpgradeTest, NoRequestNoPromptAndNothingChanges) {
  Offer();
  robot::SetDword(kGeneral, "ShouldUpgrade", 0);
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX") + robot::Snapshot(kRun);

  robot::Process p = StartVelmora();
  ExpectPaletteThenClose(p);
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX") + robot::Snapshot(kRun));
  EXPECT_TRUE(FileExists(m_installDir + "\\UPGRADE.DAT"));
}

TEST_F(UpgradeTest, SwitchForcesTheCentredPromptWithoutARequest) {
  robot::Process p = StartVelmora("/upg");
  HWND prompt = WaitForPrompt(p);
  ASSERT_NE(nullptr, prompt);
  EXPECT_EQ(nullptr, GetWindow(prompt, GW_OWNER));
  EXPECT_EQ("Velmora Client version 4.5.1 (370)", robot::Text(GetDlgItem(prompt, kVersionText)));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(prompt, kDontAskAgain), BM_GETCHECK, 0, 0));
  EXPECT_EQ("&Yes", robot::Text(GetDlgItem(prompt, IDOK)));
  EXPECT_EQ("&No", robot::Text(GetDlgItem(prompt, IDCANCEL)));

  RECT r{};
  GetWindowRect(prompt, &r);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, r.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, r.top);

  // The close box answers No.
  PostMessageA(prompt, WM_CLOSE, 0, 0);
  ExpectPaletteThenClose(p);
  EXPECT_FALSE(robot::ValueExists(kGeneral, "ShouldUpgrade"));
}

TEST_F(UpgradeTest, NoGoesOnToThePaletteAndThePromptComesAgain) {
  Offer();
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX") + robot::Snapshot(kRun);
  {
    robot::Process p = StartVelmora();
    HWND prompt = WaitForPrompt(p);
    ASSERT_NE(nullptr, prompt);
    robot::PressButton(prompt, IDCANCEL);
    ExpectPaletteThenClose(p);
  }
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX") + robot::Snapshot(kRun));
  EXPECT_TRUE(FileExists(m_installDir + "\\UPGRADE.DAT"));

  robot::Process again = StartVelmora();
  HWND prompt = WaitForPrompt(again);
  ASSERT_NE(nullptr, prompt) << "a prompt answered No comes again at the next start";
  // Escape answers No as well.
  PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  ExpectPaletteThenClose(again);
}

TEST_F(UpgradeTest, CheckBoxAndNoWithdrawTheOfferForGood) {
  Offer();
  robot::SetString(kProduct, "SetupExeDir", m_installDir);
  {
    robot::Process p = StartVelmora();
    HWND prompt = WaitForPrompt(p);
    ASSERT_NE(nullptr, prompt);
    CheckDontAskAgain(prompt);
    robot::PressButton(prompt, IDCANCEL);
    ExpectPaletteThenClose(p);
  }
  EXPECT_TRUE(OfferGone());
  // Only the three go: the rest of the client's settings stay.
  EXPECT_TRUE(robot::KeyExists(kGeneral));
  EXPECT_EQ(m_installDir, robot::GetString(kProduct, "SetupExeDir").value_or(""));
  EXPECT_EQ(m_installDir, robot::GetString(kProduct, "InstalledDirectory").value_or(""));

  robot::Process again = StartVelmora();
  ExpectPaletteThenClose(again);
}

}  // namespace
}  // namespace upgrade_e2e
