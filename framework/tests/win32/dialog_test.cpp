// The modal run: messages pass the application's filter, EndDialog and quit requests end it.
#include <gtest/gtest.h>

#include "framework/win32/dialog.h"
#include "framework/win32/win_app.h"
#include "app/win32/palette_app.h"
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

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { velmora::CPaletteApp::RegisterPaletteClass(); }
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

}  // namespace
}  // namespace framework
