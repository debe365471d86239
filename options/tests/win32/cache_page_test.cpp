// The Cache page in a sheet of this process over the real registry: who decides each setting,
// as a user who may only read the Cache key and as a machine with policy values sees it.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "app/win32/palette_app.h"
#include "app/win32/registry_settings_store.h"
#include "framework/win32/property_sheet.h"
#include "options/win32/cache_property.h"
#include "resource.h"
#include "tests/doubles/recording_prompts.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

constexpr char kCache[] = "SOFTWARE\\NOLVEX\\VELMORA\\Cache";
constexpr char kPolicy[] = "SOFTWARE\\Policies\\Nolvex\\Velmora\\Cache";

// A user who may read the machine's keys and nothing more (a standard user, an administrator
// not elevated): every open asking for more, and every creation, is refused.
std::vector<REGSAM> g_asked;
LONG WINAPI OpenReadOnly(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  g_asked.push_back(access);
  if ((access & ~static_cast<REGSAM>(KEY_READ)) != 0) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(root, path, options, access, key);
}
LONG WINAPI CreateRefused(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD) {
  return ERROR_ACCESS_DENIED;
}

struct Look {
  bool maxSizeEnabled, maxSizeReadOnly, spinEnabled, minutesEnabled, clearCacheEnabled;
  bool noticeShown, buttonShown;
  std::string maxSize, notice, button;
  int pageHeight;
};

class CachePageWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    robot::SetDword(kCache, "BlockSize", 2048);
    robot::SetDword(kCache, "MaxSize", 51200);
    robot::SetDword(kCache, "RefreshTimer", 600);
    g_asked.clear();
  }
  void TearDown() override { robot::ResetVelmoraRegistry(); }

  // Opens the page over `store`, looks at it, types 40 Mbytes and 20 minutes, and presses OK.
  Look OpenTypeAndPressOk(SettingsStore& store) {
    const OptionsServices app = m_app.MakeOptionsServices();
    CCacheProperty page(OptionsServices{store, app.system, m_prompts, app.driver, app.installDir});
    framework::CPropertySheet sheet(IDS_OPTIONS_CAPTION);
    sheet.AddPage(&page);
    Look look{};
    auto watcher = std::async(std::launch::async, [&] {
      HWND wnd = robot::WaitForTopWindow(GetCurrentProcessId(), "#32770", "Velmora Options", 10s);
      if (!wnd) return;
      HWND p = reinterpret_cast<HWND>(SendMessageA(wnd, PSM_GETCURRENTPAGEHWND, 0, 0));
      HWND max = GetDlgItem(p, IDC_MAX_SIZE);
      look.maxSizeEnabled = IsWindowEnabled(max) != FALSE;
      look.maxSizeReadOnly = (GetWindowLongA(max, GWL_STYLE) & ES_READONLY) != 0;
      look.spinEnabled = IsWindowEnabled(GetDlgItem(p, IDC_SPIN_MAX_SIZE)) != FALSE;
      look.minutesEnabled = IsWindowEnabled(GetDlgItem(p, IDC_MINUTES)) != FALSE;
      look.clearCacheEnabled = IsWindowEnabled(GetDlgItem(p, IDC_CLEAR_CACHE)) != FALSE;
      look.noticeShown = IsWindowVisible(GetDlgItem(p, IDC_CACHE_NOTICE)) != FALSE;
      look.buttonShown = IsWindowVisible(GetDlgItem(p, IDC_CHANGE_SETTINGS)) != FALSE;
      look.maxSize = robot::Text(max);
      look.notice = robot::Text(GetDlgItem(p, IDC_CACHE_NOTICE));
      look.button = robot::Text(GetDlgItem(p, IDC_CHANGE_SETTINGS));
      RECT client{};
      GetClientRect(p, &client);
      RECT template135{0, 0, 0, 135};
      MapDialogRect(p, &template135);
      look.pageHeight = client.bottom == template135.bottom ? 135 : client.bottom > template135.bottom ? 136 : 134;
      SendMessageA(max, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("40"));
      SendMessageA(GetDlgItem(p, IDC_MINUTES), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("20"));
      PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    sheet.DoModal();
    watcher.get();
    return look;
  }

  CPaletteApp m_app;
  testing::RecordingPrompts m_prompts;
};

TEST_F(CachePageWinTest, AUserWhoMayOnlyReadSeesTheValuesReadOnlyAndIsOfferedElevationWithoutABox) {
  CSettingsStore readOnly(RegistryKeyCalls{&OpenReadOnly, &CreateRefused});
  const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
  const Look look = OpenTypeAndPressOk(readOnly);
  EXPECT_EQ("50", look.maxSize);
  EXPECT_TRUE(look.maxSizeReadOnly);
  EXPECT_FALSE(look.spinEnabled);
  EXPECT_FALSE(look.clearCacheEnabled);
  EXPECT_TRUE(look.noticeShown);
  EXPECT_EQ("Only an administrator can change these settings.", look.notice);
  EXPECT_TRUE(look.buttonShown);
  EXPECT_EQ("Change settings...", look.button);
  EXPECT_GT(look.pageHeight, 135) << "the page grew to show the line and the button";
  EXPECT_TRUE(m_prompts.boxes.empty()) << "no box for a value the user could not have stored";
  EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
  // The page asked for exactly the rights a write needs.
  EXPECT_NE(g_asked.end(), std::find(g_asked.begin(), g_asked.end(), static_cast<REGSAM>(KEY_SET_VALUE | KEY_QUERY_VALUE)));
}

TEST_F(CachePageWinTest, APolicyValueIsShownLockedAndNeverWrittenAndAFreePageIsAsEver) {
  CSettingsStore store;
  const Look free = OpenTypeAndPressOk(store);
  EXPECT_TRUE(free.maxSizeEnabled && free.spinEnabled && free.clearCacheEnabled);
  EXPECT_FALSE(free.noticeShown || free.buttonShown);
  EXPECT_EQ(135, free.pageHeight) << "the template's own size";
  EXPECT_EQ(std::optional<DWORD>(40960), robot::GetDword(kCache, "MaxSize"));

  robot::SetDword(kCache, "MaxSize", 51200);
  robot::SetDword(kCache, "RefreshTimer", 600);
  robot::SetDword(kPolicy, "MaxSize", 32768);
  robot::SetDword(kPolicy, "BlockSize", 3072);  // no block size the page offers: no policy
  const Look managed = OpenTypeAndPressOk(store);
  EXPECT_EQ("32", managed.maxSize);
  EXPECT_FALSE(managed.maxSizeEnabled);
  EXPECT_FALSE(managed.spinEnabled);
  EXPECT_TRUE(managed.minutesEnabled);
  EXPECT_TRUE(managed.clearCacheEnabled);
  EXPECT_EQ("Some settings are managed by your system administrator.", managed.notice);
  EXPECT_TRUE(managed.noticeShown);
  EXPECT_FALSE(managed.buttonShown);
  EXPECT_EQ(std::optional<DWORD>(51200), robot::GetDword(kCache, "MaxSize")) << "the typed 40 was not stored";
  EXPECT_EQ(std::optional<DWORD>(1200), robot::GetDword(kCache, "RefreshTimer")) << "the user's own change was";
  EXPECT_EQ(std::optional<DWORD>(32768), robot::GetDword(kPolicy, "MaxSize"));
  EXPECT_TRUE(m_prompts.boxes.empty());
}

}  // namespace
}  // namespace velmora
