// The options course: the palette's options button opens "Velmora Options" with its Cache page;
// the page shows, checks and stores the cache settings and tells the driver.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/options_fixture.h"

namespace {

using namespace std::chrono_literals;
using options_e2e::kApplyButton;
using options_e2e::kBlockSizeBox;
using options_e2e::kCacheKey;
using options_e2e::kHoursBox;
using options_e2e::kMaxSizeBox;
using options_e2e::kMinutesBox;
using options_e2e::kSecondsBox;
using options_e2e::OptionsTest;
using options_e2e::StoreCache;

class OptionsSheetTest : public OptionsTest {};

TEST_F(OptionsSheetTest, PaletteHidesWhileTheSheetIsUpAndComesBackAfterCancelAndOk) {
  StoreCache(2048, 20480, 600);
  EXPECT_TRUE(OpenSheet().empty());
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_FALSE(IsWindowVisible(m_palette)) << "the palette stays hidden while the sheet is up";
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_GETTABCONTROL, 0, 0));
  EXPECT_EQ(1, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) << "one tab";
  EXPECT_EQ("Cache", robot::Text(Page()));
  EXPECT_EQ("OK", robot::Text(GetDlgItem(m_sheet, IDOK)));
  EXPECT_EQ("Cancel", robot::Text(GetDlgItem(m_sheet, IDCANCEL)));
  EXPECT_EQ("&Apply", robot::Text(GetDlgItem(m_sheet, kApplyButton)));
  EXPECT_EQ("Help", robot::Text(GetDlgItem(m_sheet, IDHELP)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(m_sheet, IDHELP)));

  robot::PressButton(m_sheet, IDCANCEL);
  EXPECT_TRUE(SheetClosed());
  EXPECT_TRUE(robot::WaitUntil([&] { return IsWindowVisible(m_palette) && !IsIconic(m_palette); }, 5s));

  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_FALSE(IsWindowVisible(m_palette));
  robot::PressButton(m_sheet, IDOK);
  EXPECT_TRUE(SheetClosed());
  EXPECT_TRUE(robot::WaitUntil([&] { return IsWindowVisible(m_palette) && !IsIconic(m_palette); }, 5s));
  EXPECT_TRUE(m_process.Running());
}

TEST_F(OptionsSheetTest, NoCacheKeyReportsEachValueThenStoresAndShowsTheDefaults) {
  const auto boxes = OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ("Velmora Error :  2", boxes[0].caption);
  EXPECT_EQ("Velmora could not read Cache Block Size from the registry; the default will be used.", boxes[0].text);
  EXPECT_EQ("Velmora Error :  3", boxes[1].caption);
  EXPECT_EQ("Velmora Error :  4", boxes[2].caption);
  EXPECT_EQ(std::optional<DWORD>(2048), robot::GetDword(kCacheKey, "BlockSize"));
  EXPECT_EQ(std::optional<DWORD>(20480), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ(std::optional<DWORD>(600), robot::GetDword(kCacheKey, "RefreshTimer"));
  EXPECT_EQ("2", Shown(kBlockSizeBox));
  EXPECT_EQ("20", Shown(kMaxSizeBox));
  EXPECT_EQ("0", Shown(kHoursBox));
  EXPECT_EQ("10", Shown(kMinutesBox));
  EXPECT_EQ("0", Shown(kSecondsBox));
  EXPECT_FALSE(ApplyEnabled());
}

TEST_F(OptionsSheetTest, StoredValuesShowInTheirUnitsWithApplyDisabled) {
  StoreCache(4096, 51200, 3725);
  EXPECT_TRUE(OpenSheet().empty());
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_EQ("4", Shown(kBlockSizeBox));
  EXPECT_EQ("50", Shown(kMaxSizeBox));
  EXPECT_EQ("1", Shown(kHoursBox));
  EXPECT_EQ("2", Shown(kMinutesBox));
  EXPECT_EQ("5", Shown(kSecondsBox));
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_FALSE(IsWindowEnabled(Box(kBlockSizeBox))) << "the block size is shown, not edited";
}

TEST_F(OptionsSheetTest, ApplyStoresOnlyWhatChangedAndTellsTheDriverOnce) {
  StoreCache(3000, 20480, 600);
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_EQ("2", Shown(kBlockSizeBox));  // 3000 bytes, truncated
  Type(kMinutesBox, "30");
  EXPECT_TRUE(ApplyEnabled());
  Type(kMinutesBox, "10");
  EXPECT_FALSE(ApplyEnabled()) << "Apply follows the difference both ways";
  Type(kMinutesBox, "30");
  PressAndSettle(kApplyButton);
  EXPECT_EQ(std::optional<DWORD>(1800), robot::GetDword(kCacheKey, "RefreshTimer"));
  EXPECT_EQ(std::optional<DWORD>(3000), robot::GetDword(kCacheKey, "BlockSize")) << "unchanged values are not written";
  EXPECT_EQ(std::optional<DWORD>(20480), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ(1, NewSettingsRequests()) << "exactly one settings-changed request right after the apply";
  EXPECT_FALSE(ApplyEnabled());

  // OK after a change: stored, and the driver hears of it although no page activation follows.
  Type(kMaxSizeBox, "40");
  PressAndSettle(IDOK);
  EXPECT_TRUE(SheetClosed());
  EXPECT_EQ(std::optional<DWORD>(40960), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ(2, NewSettingsRequests());
}

TEST_F(OptionsSheetTest, ApplyAndOkWithNothingChangedWriteNothingAndTellNoOne) {
  const std::string before = OpenSheetOverUsualCache();
  ASSERT_NE(nullptr, m_sheet);
  SendMessageA(m_sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
  PressAndSettle(IDOK);
  EXPECT_TRUE(SheetClosed());
  EXPECT_EQ(0, NewSettingsRequests());
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
}

TEST_F(OptionsSheetTest, TypedMinutesBeyondTheSpinRangeAreStoredAndShownNormalised) {
  StoreCache(2048, 20480, 0);
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  Type(kMinutesBox, "75");
  PressAndSettle(kApplyButton);
  EXPECT_EQ(std::optional<DWORD>(4500), robot::GetDword(kCacheKey, "RefreshTimer"));
  EXPECT_EQ("1", Shown(kHoursBox));
  EXPECT_EQ("15", Shown(kMinutesBox));
  EXPECT_EQ("0", Shown(kSecondsBox));
}

TEST_F(OptionsSheetTest, EmptyingABoxIsRefusedAtOnceAndNothingIsStored) {
  const std::string before = OpenSheetOverUsualCache();
  ASSERT_NE(nullptr, m_sheet);
  HWND box = Box(kMaxSizeBox);
  PostMessageA(box, EM_SETSEL, 0, -1);
  PostMessageA(box, WM_CHAR, VK_BACK, 0);
  robot::MessageBoxSeen seen;
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &seen, 5s));
  EXPECT_EQ("Please enter an integer.", seen.text);
  EXPECT_EQ("Velmora", seen.caption);
  Answer(seen.wnd, IDOK);
  // OK with the box still empty: refused again, the sheet stays open, nothing is stored.
  robot::PressButton(m_sheet, IDOK);
  ASSERT_NO_FATAL_FAILURE(ExpectBoxAndAnswer("Please enter an integer."));
  EXPECT_TRUE(IsWindowVisible(m_sheet));
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
  EXPECT_EQ(0, NewSettingsRequests());
}

TEST_F(OptionsSheetTest, ASizeThatWouldWrapIsRefusedNamingTheRangeThatFits) {
  const std::string before = OpenSheetOverUsualCache();
  ASSERT_NE(nullptr, m_sheet);
  Type(kMaxSizeBox, "3000000");
  robot::PressButton(m_sheet, kApplyButton);
  ASSERT_NO_FATAL_FAILURE(ExpectBoxAndAnswer("Please enter an integer between 0 and 2097151."));
  EXPECT_EQ("3000000", Shown(kMaxSizeBox)) << "what was typed stays";
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
  EXPECT_EQ(0, NewSettingsRequests());
}

TEST_F(OptionsSheetTest, TheSpinStepsToFifteenHundredWithoutASeparatorAndItIsStored) {
  OpenSheetOverUsualCache();
  ASSERT_NE(nullptr, m_sheet);
  Type(kMaxSizeBox, "1499");
  PostMessageA(Box(kMaxSizeBox), WM_KEYDOWN, VK_UP, 0);
  PostMessageA(Box(kMaxSizeBox), WM_KEYUP, VK_UP, 0);
  EXPECT_TRUE(robot::WaitUntil([&] { return Shown(kMaxSizeBox) == "1500"; }, 5s)) << Shown(kMaxSizeBox);
  PressAndSettle(kApplyButton);
  EXPECT_EQ(std::optional<DWORD>(1536000), robot::GetDword(kCacheKey, "MaxSize"));
  EXPECT_EQ("1500", Shown(kMaxSizeBox));
}

TEST_F(OptionsSheetTest, ARefusedSettingsRequestIsReportedOnceOwnedByTheSheet) {
  StoreCache(2048, 20480, 600);
  m_driver.Update([](velmora::sim::StandInSettings& s) { s.refusals[5] = 1; });
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  Type(kSecondsBox, "5");
  robot::PressButton(m_sheet, kApplyButton);
  robot::MessageBoxSeen seen;
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &seen, 5s));
  EXPECT_EQ("Velmora Error :  22", seen.caption);
  EXPECT_EQ(m_sheet, seen.owner);
  Answer(seen.wnd, IDOK);
  EXPECT_EQ(std::optional<DWORD>(605), robot::GetDword(kCacheKey, "RefreshTimer")) << "the values stay written";
  PressAndSettle(IDOK);
  EXPECT_TRUE(SheetClosed());
  EXPECT_TRUE(robot::MessageBoxes(m_process.Pid()).empty()) << "not retried";
  EXPECT_EQ(1, NewSettingsRequests());
}

TEST_F(OptionsSheetTest, ClearCacheCancelWritesNothingOkThenNoMarksTheCacheAndKeepsRunning) {
  OpenSheetOverUsualCache();
  ASSERT_NE(nullptr, m_sheet);
  robot::PressButton(Page(), IDC_CLEAR_CACHE);
  robot::MessageBoxSeen seen;
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &seen, 5s));
  EXPECT_EQ("Velmora", seen.caption);
  EXPECT_EQ("All of your previously cached data will be deleted resultng in temporarily decreased performance.  Do "
            "you wish to continue?",
            seen.text);
  EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), seen.buttons);
  Answer(seen.wnd, IDCANCEL);
  EXPECT_FALSE(robot::ValueExists(kCacheKey, "ClearCache"));

  robot::PressButton(Page(), IDC_CLEAR_CACHE);
  ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &seen, 5s));
  robot::PressButton(seen.wnd, IDOK);
  HWND first = seen.wnd;
  ASSERT_TRUE(robot::WaitUntil(
      [&] {
        auto boxes = robot::MessageBoxes(m_process.Pid());
        if (boxes.empty() || boxes[0].wnd == first) return false;
        seen = boxes[0];
        return true;
      },
      5s));
  EXPECT_EQ("The Velmora cache will be cleared after you restart Windows and log onto the network.  All of your "
            "previously cached data will be deleted resulting in temporarily decreased performance.  Do you wish to "
            "restart Windows now?",
            seen.text);
  EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen.buttons);
  Answer(seen.wnd, IDNO);
  EXPECT_EQ(std::optional<std::string>("YES"), robot::GetString(kCacheKey, "ClearCache"));
  const std::string snapshot = robot::Snapshot(kCacheKey);
  EXPECT_NE(std::string::npos, snapshot.find(std::string("ClearCache:1:YES\0;", 18))) << "REG_SZ, 4 bytes";
  EXPECT_TRUE(m_process.Running());
  EXPECT_TRUE(IsWindowVisible(m_sheet));
}

}  // namespace
