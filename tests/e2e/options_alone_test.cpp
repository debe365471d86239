// The courses of "/OPTIONS" (the options sheet alone, as an administrator runs it elevated) and
// "/?" (the switches in a box), and a policy value as the page and the stand-in driver take it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/palette_contract.h"
#include "tests/e2e/options_fixture.h"

namespace options_e2e {
namespace {

constexpr const char* kPolicyKey = robot::keys::kCachePolicy;

class OptionsAloneTest : public OptionsTest {
 protected:
  // Starts "Velmora.exe /OPTIONS" and waits for its sheet.
  robot::Process StartOptionsAlone() {
    robot::Process p = robot::Start("Velmora.exe", "/options");
    m_sheet = robot::WaitForTopWindow(p.Pid(), "#32770", "Velmora Options", 10s);
    robot::WaitUntil([] { return false; }, 200ms);  // let it settle
    return p;
  }
};

TEST_F(OptionsAloneTest, OpensTheSheetAloneCentredWhileAPaletteRunsAndStoresAnApply) {
  StoreCache(2048, 20480, 600);
  m_process = robot::Start("Velmora.exe", "");
  m_palette = palette_e2e::WaitForPalette(m_process);
  ASSERT_NE(nullptr, m_palette);
  const std::vector<int> before = m_driver.Requests();

  robot::Process alone = StartOptionsAlone();
  ASSERT_NE(nullptr, m_sheet) << "no hand-over to the running palette: the sheet opens itself";
  EXPECT_EQ(nullptr, robot::FindTopWindow(alone.Pid(), velmora::kPaletteClassName, "", false));
  EXPECT_TRUE(IsWindowVisible(m_palette));
  EXPECT_EQ(before, m_driver.Requests()) << "no start-up driver check";
  RECT r{};
  GetWindowRect(m_sheet, &r);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 2);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 2);
  EXPECT_FALSE(IsWindowVisible(Box(IDC_CHANGE_SETTINGS)));  // an administrator's page as ever

  m_requestsBefore = SettingsRequests();
  Type(kMaxSizeBox, "32");
  PressAndSettle(kApplyButton);
  EXPECT_EQ(std::optional<DWORD>(32768), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ(1, NewSettingsRequests());
  PressAndSettle(IDOK);
  DWORD code = 99;
  EXPECT_TRUE(alone.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(IsWindow(m_palette)) << "the palette runs on";
  m_sheet = nullptr;
}

TEST_F(OptionsAloneTest, TheSwitchListIsOneBoxAndTheRunEndsWithZero) {
  for (const char* args : {"/?", "-? /ACT"}) {
    SCOPED_TRACE(args);
    const std::size_t requests = m_driver.Requests().size();
    robot::Process p = robot::Start("Velmora.exe", args);
    robot::MessageBoxSeen box;
    ASSERT_TRUE(robot::WaitForMessageBox(p.Pid(), &box, 10s));
    EXPECT_EQ("Velmora", box.caption);
    for (const char* line : {"/ACT", "/AUT", "/DEA", "/NOB", "/UPG", "/OPTIONS", "/?", "Exit status", "0\tDone.",
                             "1\tThe cache could not", "2\tHanded to a Velmora already running", "3\tA window failed."}) {
      EXPECT_NE(std::string::npos, box.text.find(line)) << line;
    }
    EXPECT_EQ(nullptr, robot::FindTopWindow(p.Pid(), velmora::kPaletteClassName, "", false));
    robot::PressButton(box.wnd, IDOK);
    DWORD code = 99;
    EXPECT_TRUE(p.WaitForExit(10s, &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(requests, m_driver.Requests().size()) << "nothing asked of the driver, nothing activated";
  }
}

// The stand-in driver keeping its settings as the driver does (--registry, as its service does).
class PolicyTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }
  void TearDown() override { robot::ResetVelmoraRegistry(); }

  // The maximum size the driver reports in effect (its status record), or -1.
  static int MaxSizeInEffect() {
    std::vector<unsigned char> request(6132, 0), reply(6132, 0);
    request[0] = 1;
    DWORD got = 0;
    if (!CallNamedPipeA("\\\\.\\pipe\\VLIFS95", request.data(), 6132, reply.data(), 6132, &got, 5000) || got < 40) {
      return -1;
    }
    std::int32_t word = 0;
    std::memcpy(&word, reply.data() + 4 * 8, 4);  // buffer word 8: the maximum size
    return word;
  }
};

TEST_F(PolicyTest, APolicyValueIsShownLockedAndTakenByTheDriverUntilItIsRemoved) {
  StoreCache(2048, 51200, 600);
  robot::SetDword(kPolicyKey, "MaxSize", 32768);
  robot::SetDword(kPolicyKey, "RefreshTimer", 0xFFFFFFFF);  // beyond the page: ignored, no box
  robot::Process sim = robot::Start("vlifs95sim.exe", "--registry");
  ASSERT_TRUE(robot::WaitUntil([] { return MaxSizeInEffect() != -1; }, 10s));
  EXPECT_EQ(32768, MaxSizeInEffect()) << "taken at start";

  robot::Process p = robot::Start("Velmora.exe", "/OPTIONS");
  HWND sheet = robot::WaitForTopWindow(p.Pid(), "#32770", "Velmora Options", 10s);
  ASSERT_NE(nullptr, sheet);
  robot::WaitUntil([] { return false; }, 300ms);
  HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  EXPECT_EQ("32", robot::Text(GetDlgItem(page, IDC_MAX_SIZE)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_MAX_SIZE)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SPIN_MAX_SIZE)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_MINUTES)));
  EXPECT_EQ("10", robot::Text(GetDlgItem(page, IDC_MINUTES)));
  HWND notice = GetDlgItem(page, IDC_CACHE_NOTICE);
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_EQ("Some settings are managed by your system administrator.", robot::Text(notice));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_CHANGE_SETTINGS)));
  EXPECT_TRUE(robot::MessageBoxes(p.Pid()).empty());
  // The locked box's text is never stored, even when something else is applied.
  SendMessageA(GetDlgItem(page, IDC_MINUTES), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("20"));
  robot::PressButton(sheet, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(p.WaitForExit(10s, &code));
  EXPECT_EQ(0u, code);
  EXPECT_EQ(std::optional<DWORD>(51200), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ(std::optional<DWORD>(1200), robot::GetDword(kCacheKey, "RefreshTimer"));

  // The policy goes: the stored value counts again, with no restart and no request.
  robot::DeleteKeyTree("SOFTWARE\\Policies\\Nolvex");
  EXPECT_TRUE(robot::WaitUntil([] { return MaxSizeInEffect() == 51200; }, 5s)) << MaxSizeInEffect();
  // And a new one is seen while the key did not exist.
  robot::SetDword(kPolicyKey, "MaxSize", 16384);
  EXPECT_TRUE(robot::WaitUntil([] { return MaxSizeInEffect() == 16384; }, 5s)) << MaxSizeInEffect();
  sim.Kill();
}

}  // namespace
}  // namespace options_e2e
