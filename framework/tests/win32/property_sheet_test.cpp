// Property sheets: the modal run through the application's filter, the page notifications and
// the sheet's hooks around them, validation before apply, help, integer exchange and spins.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "framework/win32/data_exchange_int.h"
#include "framework/win32/property_page.h"
#include "framework/win32/property_sheet.h"
#include "framework/win32/spin_button.h"
#include "framework/win32/win_app.h"
#include "resource.h"
#include "tests/robot/robot.h"

namespace framework {
namespace {

using namespace std::chrono_literals;

class FilterApp : public CWinApp {
 public:
  FilterApp() : CWinApp("Velmora") {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_APP + 7) ++filtered;
    return FALSE;
  }
  int filtered = 0;
};

// A page on the Cache template that exchanges the maximum-size box as an integer.
class IntegerPage : public CPropertyPage {
 public:
  IntegerPage() : CPropertyPage(IDD_CACHE_PAGE) {}
  BOOL OnKillActive() override {
    events.push_back("page:killactive");
    return refuseLeave ? FALSE : CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    events.push_back("page:apply");
    return CPropertyPage::OnApply();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_SPIN_MAX_SIZE, spin);
    DDX_Text(dx, IDC_MAX_SIZE, value);
  }
  bool OnCommand(WPARAM wp, LPARAM) override {
    if (HIWORD(wp) == EN_CHANGE) ++changes;
    return false;
  }
  CSpinButtonCtrl spin;
  int value = 20;
  int changes = 0;
  bool refuseLeave = false;
  std::vector<std::string> events;
};

class HookedSheet : public CPropertySheet {
 public:
  HookedSheet() : CPropertySheet(IDS_OPTIONS_CAPTION) { AddPage(&page); }
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == PSN_APPLY) page.events.push_back("sheet:apply");
    return CPropertySheet::OnChildNotify(msg, wp, lp, result);
  }
  void OnPageNotified(CPropertyPage* p, UINT code, LRESULT result) override {
    if (code == PSN_APPLY) page.events.push_back("sheet:applied " + std::to_string(result));
    CPropertySheet::OnPageNotified(p, code, result);
  }
  void WinHelp(DWORD_PTR data, UINT command) override {
    helpData = data;
    helpCommand = command;
  }
  void OnActivate(UINT state, HWND, BOOL) override {
    if (state != WA_INACTIVE) ++activations;
  }
  IntegerPage page;
  DWORD_PTR helpData = 0;
  UINT helpCommand = 0;
  int activations = 0;
};

HWND WaitForSheet() { return robot::WaitForTopWindow(GetCurrentProcessId(), "#32770", "Velmora Options", 10s); }

HWND PageControl(HWND sheet, int id) {
  HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  return GetDlgItem(page, id);
}

TEST(PropertySheetTest, OkValidatesThenAppliesWithTheSheetHooksAroundThePage) {
  FilterApp app;
  HookedSheet sheet;
  auto driver = std::async(std::launch::async, [] {
    HWND wnd = WaitForSheet();
    if (!wnd) return std::string("no sheet");
    const std::string caption = robot::Text(wnd);
    PostMessageA(wnd, WM_APP + 7, 0, 0);
    const bool help = GetDlgItem(wnd, IDHELP) != nullptr;
    const bool applyDisabled = !IsWindowEnabled(GetDlgItem(wnd, 0x3021));
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return caption + (help ? " help" : "") + (applyDisabled ? " apply-off" : "");
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ("Velmora Options help apply-off", driver.get());
  EXPECT_EQ((std::vector<std::string>{"page:killactive", "sheet:apply", "page:apply", "sheet:applied 0"}),
            sheet.page.events);
  EXPECT_EQ(1, app.filtered) << "the modal run passes messages through the application's filter";
  EXPECT_GE(sheet.activations, 1);
  EXPECT_EQ(nullptr, sheet.m_hWnd);
  EXPECT_EQ(nullptr, sheet.page.m_hWnd);
}

TEST(PropertySheetTest, ARefusedPageKeepsTheSheetOpenAndNothingIsApplied) {
  FilterApp app;
  HookedSheet sheet;
  sheet.page.refuseLeave = true;
  auto driver = std::async(std::launch::async, [&] {
    HWND wnd = WaitForSheet();
    SendMessageA(wnd, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    SendMessageA(wnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    const bool open = IsWindow(wnd) && SendMessageA(wnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return open;
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_TRUE(driver.get());
  for (const std::string& e : sheet.page.events) EXPECT_NE("page:apply", e);
}

// A page is a dialog of the framework: bound to its window as every dialog is, and placed by
// its sheet, not centred the way a top-level dialog is.
TEST(PropertySheetTest, APageIsBoundLikeADialogAndStaysWhereTheSheetPutsIt) {
  FilterApp app;
  HookedSheet sheet;
  auto driver = std::async(std::launch::async, [] {
    HWND wnd = WaitForSheet();
    HWND page = reinterpret_cast<HWND>(SendMessageA(wnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    RECT outer{}, inner{};
    GetWindowRect(wnd, &outer);
    GetWindowRect(page, &inner);
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    RECT both{};
    UnionRect(&both, &outer, &inner);
    return std::make_pair(CWnd::FromHandlePermanent(page), EqualRect(&both, &outer) != FALSE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  const auto seen = driver.get();
  EXPECT_EQ(static_cast<CWnd*>(&sheet.page), seen.first);
  EXPECT_TRUE(seen.second) << "the page lies inside its sheet";
}

TEST(PropertySheetTest, HelpReachesTheSheetsWinHelpWithThePagesContext) {
  FilterApp app;
  HookedSheet sheet;
  auto driver = std::async(std::launch::async, [] {
    HWND wnd = WaitForSheet();
    SendMessageA(wnd, PSM_PRESSBUTTON, PSBTN_HELP, 0);
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  sheet.DoModal();
  driver.get();
  EXPECT_EQ(static_cast<DWORD_PTR>(kHelpIdResourceBase + IDD_CACHE_PAGE), sheet.helpData);
  EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), sheet.helpCommand);
}

TEST(PropertySheetTest, AQuitRequestEndsTheRunAndIsHandedOn) {
  FilterApp app;
  HookedSheet sheet;
  auto driver = std::async(std::launch::async, [] {
    HWND wnd = WaitForSheet();
    PostThreadMessageA(GetWindowThreadProcessId(wnd, nullptr), WM_QUIT, 5, 0);
  });
  sheet.DoModal();
  driver.get();
  EXPECT_EQ(nullptr, sheet.m_hWnd);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(5u, msg.wParam);
}

TEST(PropertySheetTest, IntegerExchangeRefusesWithTheFrameworkBoxAndSelectsTheText) {
  FilterApp app;
  HookedSheet sheet;
  struct Seen {
    robot::MessageBoxSeen box;
    std::string afterRefusal;
    bool focused = false;
    DWORD selection = 0;
  };
  auto driver = std::async(std::launch::async, [&] {
    Seen seen;
    HWND wnd = WaitForSheet();
    HWND edit = PageControl(wnd, IDC_MAX_SIZE);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12x"));
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    if (robot::WaitForMessageBox(GetCurrentProcessId(), &seen.box, 10s)) robot::PressButton(seen.box.wnd, IDOK);
    robot::WaitUntil([&] { return robot::MessageBoxes(GetCurrentProcessId()).empty(); }, 5s);
    Sleep(200);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &gui);
    seen.focused = gui.hwndFocus == edit;
    seen.selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(" -1500 "));
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return seen;
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  const Seen seen = driver.get();
  EXPECT_EQ("Please enter an integer.", seen.box.text);
  EXPECT_EQ("Velmora", seen.box.caption);
  EXPECT_EQ((std::vector<int>{IDOK}), seen.box.buttons);
  EXPECT_TRUE(seen.focused);
  EXPECT_EQ(MAKELONG(0, 3), seen.selection) << "the whole text is selected";
  EXPECT_EQ(-1500, sheet.page.value);
}

// A sheet that refuses its page's maximum-size box when asked to, as a page's validation does.
class RefusingSheet : public HookedSheet {
 protected:
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) override {
    if (msg != WM_APP + 8) return false;
    CDataExchange dx(page.m_hWnd, true);
    DDV_RefuseRange(&dx, IDC_MAX_SIZE, 0, 2097151);
    *result = dx.m_bFailed;
    return true;
  }
};

TEST(PropertySheetTest, ARangeRefusalNamesTheRangeAndSelectsTheBox) {
  FilterApp app;
  RefusingSheet sheet;
  auto driver = std::async(std::launch::async, [&] {
    HWND wnd = WaitForSheet();
    HWND edit = PageControl(wnd, IDC_MAX_SIZE);
    PostMessageA(wnd, WM_APP + 8, 0, 0);
    robot::MessageBoxSeen box;
    robot::WaitForMessageBox(GetCurrentProcessId(), &box, 10s);
    robot::PressButton(box.wnd, IDOK);
    robot::WaitUntil([&] { return robot::MessageBoxes(GetCurrentProcessId()).empty(); }, 5s);
    Sleep(200);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &gui);
    const bool focused = gui.hwndFocus == edit;
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return std::make_pair(box.text, focused);
  });
  sheet.DoModal();
  const auto seen = driver.get();
  EXPECT_EQ("Please enter an integer between 0 and 2097151.", seen.first);
  EXPECT_TRUE(seen.second);
}

TEST(SpinButtonTest, WritesPlainNumbersAndKeepsSixteenBitPositions) {
  FilterApp app;
  HookedSheet sheet;
  struct Seen {
    std::string text;
    int pos = 0, lower = 0, upper = 0;
  };
  auto driver = std::async(std::launch::async, [&] {
    HWND wnd = WaitForSheet();
    HWND spinWnd = PageControl(wnd, IDC_SPIN_MAX_SIZE);
    SendMessageA(spinWnd, UDM_SETRANGE, 0, MAKELPARAM(19999, 16));
    SendMessageA(spinWnd, UDM_SETPOS, 0, MAKELPARAM(1499, 0));
    // One step up, as a click on the arrow or the Up key does.
    SendMessageA(PageControl(wnd, IDC_MAX_SIZE), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(PageControl(wnd, IDC_MAX_SIZE), WM_KEYUP, VK_UP, 0);
    Seen seen;
    seen.text = robot::Text(PageControl(wnd, IDC_MAX_SIZE));
    PostMessageA(wnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return seen;
  });
  sheet.DoModal();
  EXPECT_EQ("1500", driver.get().text) << "no thousands separator";
  EXPECT_GT(sheet.page.changes, 0);
}

}  // namespace
}  // namespace framework
