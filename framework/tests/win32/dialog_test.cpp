// The modal run: messages pass the application's filter, EndDialog and quit requests end it.
#include <gtest/gtest.h>

#include <vector>

#include "framework/win32/class_registration.h"
#include "framework/win32/dialog.h"
#include "framework/win32/modal_scope.h"
#include "framework/win32/win_app.h"
#include "resource.h"

namespace framework {
namespace {

class CountingApp : public CWinApp {
 public:
  CountingApp() : CWinApp("Test") {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_APP + 1) ++filtered;
    return FALSE;
  }
  int filtered = 0;
};

class ScriptedDialog : public CDialog {
 public:
  explicit ScriptedDialog(UINT id) : CDialog(id) {}
  BOOL OnInitDialog() override {
    initialised = true;
    PostMessageA(m_hWnd, WM_APP + 1, 0, 0);
    PostMessageA(m_hWnd, WM_APP + 2, 0, 0);
    return CDialog::OnInitDialog();
  }
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT*) override {
    if (msg == WM_APP + 2) {
      if (quit) {
        PostQuitMessage(3);
      } else {
        EndDialog(7);
      }
      return true;
    }
    return false;
  }
  bool initialised = false;
  bool quit = false;
};

// Template IDD_MAIN_PALETTE names a window class of its own: registered here as a plain dialog
// class for the test's time, unless the program's registration is already there.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    if (GetClassInfoA(AfxGetInstanceHandle(), kTemplateClass, &wc)) return;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kTemplateClass;
    ASSERT_TRUE(AfxRegisterClass(&wc));
    m_bRegistered = true;
  }
  void TearDown() override {
    if (m_bRegistered) UnregisterClassA(kTemplateClass, AfxGetInstanceHandle());
  }
  static constexpr char kTemplateClass[] = "VelmoraMainPalette";
  bool m_bRegistered = false;
};

TEST_F(DialogTest, ModalRunFiltersMessagesAndReturnsTheEndDialogResult) {
  CountingApp app;
  ScriptedDialog dlg(IDD_MAIN_PALETTE);
  EXPECT_EQ(7, dlg.DoModal());
  EXPECT_TRUE(dlg.initialised);
  EXPECT_EQ(1, app.filtered);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  EXPECT_EQ(nullptr, FindWindowA("VelmoraMainPalette", nullptr));
}

TEST_F(DialogTest, QuitRequestEndsTheRunAndIsHandedOn) {
  CountingApp app;
  ScriptedDialog dlg(IDD_MAIN_PALETTE);
  dlg.quit = true;
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_EQ(nullptr, FindWindowA("VelmoraMainPalette", nullptr));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
}

TEST_F(DialogTest, MissingTemplateFailsWithMinusOne) {
  CountingApp app;
  ScriptedDialog dlg(4242);
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_FALSE(dlg.initialised);
}

// A plain top-level window of this thread, destroyed with the object.
class PlainWindow {
 public:
  explicit PlainWindow(DWORD style)
      : m_hWnd(CreateWindowExA(0, "STATIC", "", WS_POPUP | style, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr)) {}
  ~PlainWindow() { DestroyWindow(m_hWnd); }
  HWND get() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

// While a dialog without an owner runs, every other visible window of the program is
// disabled; afterwards each is as it was (hidden and already disabled ones untouched).
TEST_F(DialogTest, UnownedModalRunKeepsTheOtherVisibleWindowsFromInput) {
  PlainWindow shown(WS_VISIBLE), hidden(0), disabled(WS_VISIBLE | WS_DISABLED);
  struct Probe : ScriptedDialog {
    using ScriptedDialog::ScriptedDialog;
    BOOL OnInitDialog() override {
      for (HWND w : watched) seen.push_back(IsWindowEnabled(w) != FALSE);
      seen.push_back(IsWindowEnabled(m_hWnd) != FALSE);
      return ScriptedDialog::OnInitDialog();
    }
    std::vector<HWND> watched;
    std::vector<bool> seen;
  } dlg(IDD_ABOUTBOX);
  dlg.watched = {shown.get(), hidden.get(), disabled.get()};
  CountingApp app;
  EXPECT_EQ(7, dlg.DoModal());
  EXPECT_EQ((std::vector<bool>{false, true, false, true}), dlg.seen);
  EXPECT_TRUE(IsWindowEnabled(shown.get()));
  EXPECT_TRUE(IsWindowEnabled(hidden.get()));
  EXPECT_FALSE(IsWindowEnabled(disabled.get()));
}

// The check box of the upgrade prompt, exchanged both ways while the dialog runs.
TEST_F(DialogTest, CheckExchangeReadsAndWritesTheBoxState) {
  struct CheckDialog : CDialog {
    CheckDialog() : CDialog(IDD_UPGRADE_PROMPT) {}
    void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_UPGRADE_DONT_ASK, value); }
    BOOL OnInitDialog() override {
      CDialog::OnInitDialog();  // loads value 2: any value but 0 checks the box
      HWND box = GetDlgItem(m_hWnd, IDC_UPGRADE_DONT_ASK);
      seen.push_back(static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0)));
      UpdateData(TRUE);
      seen.push_back(value);
      SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
      UpdateData(TRUE);
      seen.push_back(value);
      EndDialog(IDOK);
      return TRUE;
    }
    int value = 2;
    std::vector<int> seen;
  } dlg;
  CountingApp app;
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ((std::vector<int>{BST_CHECKED, 1, 0}), dlg.seen);
}

TEST(ModalScopeTest, NestedScopesEachGiveBackOnlyWhatTheyTook) {
  PlainWindow first(WS_VISIBLE);
  CModalScope outer;
  EXPECT_FALSE(IsWindowEnabled(first.get()));
  PlainWindow second(WS_VISIBLE);  // the outer scope's modal window
  {
    CModalScope inner;
    EXPECT_FALSE(IsWindowEnabled(second.get()));
    inner.Restore();
    EXPECT_TRUE(IsWindowEnabled(second.get()));
    EXPECT_FALSE(IsWindowEnabled(first.get()));
  }
  outer.Restore();
  outer.Restore();  // once only
  EXPECT_TRUE(IsWindowEnabled(first.get()));
}

}  // namespace
}  // namespace framework
