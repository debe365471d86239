// The Agent page, given a window by a sheet that holds it: what it shows for each stored value,
// what Apply writes, the companion program that cannot be started, and the options sheet's
// hooks into it once it has a window.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "app/win32/palette_app.h"
#include "framework/win32/property_sheet.h"
#include "options/win32/adv_property_sheet.h"
#include "options/win32/agent_property.h"
#include "resource.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

constexpr char kAgentsKey[] = "SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents";

struct Shown {
  std::string name;
  int type = 0;  // the checked button
  int changed = -1;
};

class AgentPageTest : public ::testing::Test {
 protected:
  void SetUp() override { robot::ResetVelmoraRegistry(); }

  static HWND WaitForSheet() {
    return robot::WaitForTopWindow(GetCurrentProcessId(), "#32770", "Velmora Options", 10s);
  }
  static HWND PageOf(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  // Runs a sheet holding only the Agent page; `act` runs on another thread while it is up and
  // must close it.
  void RunPage(const std::function<void(HWND sheet, HWND page)>& act) {
    framework::CPropertySheet sheet(IDS_OPTIONS_CAPTION);
    sheet.AddPage(&m_page);
    auto watcher = std::async(std::launch::async, [&] {
      HWND wnd = WaitForSheet();
      if (!wnd) return;
      act(wnd, PageOf(wnd));
    });
    sheet.DoModal();
    watcher.get();
  }

  Shown Look(HWND page) {
    Shown s;
    s.name = robot::Text(GetDlgItem(page, IDC_AGENT_NAME));
    if (SendMessageA(GetDlgItem(page, IDC_AGENT_NOVELL), BM_GETCHECK, 0, 0) == BST_CHECKED) s.type = IDC_AGENT_NOVELL;
    if (SendMessageA(GetDlgItem(page, IDC_AGENT_NT), BM_GETCHECK, 0, 0) == BST_CHECKED) s.type = IDC_AGENT_NT;
    s.changed = m_page.IsDefaultAgentChanged();
    return s;
  }

  Shown ShowStored(const char* stored) {
    robot::ResetVelmoraRegistry();
    if (stored) robot::SetString(kAgentsKey, "", stored);
    Shown seen;
    RunPage([&](HWND sheet, HWND p) {
      seen = Look(p);
      PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    return seen;
  }

  CPaletteApp app;
  CAgentProperty m_page{app.MakeOptionsServices()};
};

TEST_F(AgentPageTest, RecognisedValuesShowTheirTypeAndNameAndCountAsUnchanged) {
  struct Case {
    const char* stored;
    const char* name;
    int type;
  } cases[] = {
      {"NT.AGENT7", "AGENT7", IDC_AGENT_NT},
      {"novell.main", "MAIN", IDC_AGENT_NOVELL},
      {"NOVELL.SRV.EAST.2", "SRV.EAST.2", IDC_AGENT_NOVELL},
      {"NOVELL.", "", IDC_AGENT_NOVELL},
  };
  for (const Case& c : cases) {
    const Shown s = ShowStored(c.stored);
    EXPECT_EQ(c.name, s.name) << c.stored;
    EXPECT_EQ(c.type, s.type) << c.stored;
    EXPECT_EQ(0, s.changed) << c.stored;
  }
  EXPECT_EQ(1, m_page.m_bInitialized);
}

TEST_F(AgentPageTest, MissingOrMalformedValuesShowThePlaceholderAndCountAsChanged) {
  for (const char* stored : {static_cast<const char*>(nullptr), "NOVELL", ".NOVELL", "IPX.AGENT"}) {
    const Shown s = ShowStored(stored);
    EXPECT_EQ("VL_AGENT", s.name) << (stored ? stored : "(none)");
    EXPECT_EQ(IDC_AGENT_NOVELL, s.type);
    EXPECT_EQ(1, s.changed);
  }
}

TEST_F(AgentPageTest, ApplyWritesOnlyAChangedPage) {
  robot::SetString(kAgentsKey, "", "nt.east");
  RunPage([&](HWND sheet, HWND) {
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ(std::optional<std::string>("nt.east"), robot::GetString(kAgentsKey, "")) << "unchanged: not rewritten";

  robot::SetString(kAgentsKey, "", "IPX.AGENT");
  Shown after;
  RunPage([&](HWND sheet, HWND p) {
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    after = Look(p);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ(std::optional<std::string>("NOVELL.VL_AGENT"), robot::GetString(kAgentsKey, ""));
  EXPECT_EQ("VL_AGENT", after.name);
  EXPECT_EQ(0, after.changed) << "re-read after the apply";
}

TEST_F(AgentPageTest, AMissingAgentConfigurationProgramIsNamedWithTheInstallationDirectory) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-no-such-dir";
  robot::SetString(robot::keys::kProduct, "InstalledDirectory", dir);
  app.LoadInstallDir();
  robot::MessageBoxSeen box;
  RunPage([&](HWND sheet, HWND p) {
    robot::PressButton(p, IDC_AGENT_CONFIGURATION);
    if (robot::WaitForMessageBox(GetCurrentProcessId(), &box, 10s)) robot::PressButton(box.wnd, IDOK);
    robot::WaitUntil([] { return robot::MessageBoxes(GetCurrentProcessId()).empty(); }, 5s);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ("Velmora Error :  16", box.caption);
  EXPECT_EQ("Velmora could not execute the program <" + dir +
                "\\Vantor32.EXE>.  Please reinstall Velmora or contact your System Administrator.",
            box.text);
  EXPECT_TRUE(box.hasIcon);
}

TEST(AdvPropertySheetAgentTest, WithAWindowTheAgentPageIsRefreshedOnActivation) {
  robot::ResetVelmoraRegistry();
  robot::SetDword("SOFTWARE\\NOLVEX\\VELMORA\\Cache", "BlockSize", 2048);
  robot::SetDword("SOFTWARE\\NOLVEX\\VELMORA\\Cache", "MaxSize", 20480);
  robot::SetDword("SOFTWARE\\NOLVEX\\VELMORA\\Cache", "RefreshTimer", 600);
  robot::SetString(kAgentsKey, "", "NT.FIRST");
  CPaletteApp app;
  CAdvPropertySheet sheet(app.MakeOptionsServices(), nullptr);
  EXPECT_EQ(0, sheet.m_agentPage.IsDefaultAgentChanged()) << "no window: no change";
  sheet.m_agentPage.RefreshDefaultAgent();  // no window: nothing happens
  sheet.AddPage(&sheet.m_agentPage);
  std::string shown;
  auto watcher = std::async(std::launch::async, [&] {
    HWND wnd = robot::WaitForTopWindow(GetCurrentProcessId(), "#32770", "Velmora Options", 10s);
    SendMessageA(wnd, PSM_SETCURSEL, 1, 0);
    robot::SetString(kAgentsKey, "", "NT.SECOND");
    SendMessageA(wnd, WM_ACTIVATE, WA_ACTIVE, 0);  // the user comes back to the sheet
    shown = robot::Text(GetDlgItem(sheet.m_agentPage.m_hWnd, IDC_AGENT_NAME));
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  sheet.DoModal();
  watcher.get();
  EXPECT_EQ("SECOND", shown);
}

}  // namespace
}  // namespace velmora
