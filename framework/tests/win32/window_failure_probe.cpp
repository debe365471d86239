// A program whose window handler throws, for the window failure test: the first argument names
// the kind of window ("popup", "dialog" or "sheet"). It must end with the failure's exit status;
// 0 means the exception passed unseen.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "framework/win32/dialog.h"
#include "framework/win32/popup_wnd.h"
#include "framework/win32/property_page.h"
#include "framework/win32/property_sheet.h"
#include "framework/win32/win_app.h"
#include "resource.h"

namespace {

using namespace framework;

constexpr UINT kThrowNow = WM_APP + 5;

class ProbeApp : public CWinApp {
 public:
  ProbeApp() : CWinApp("Window failure probe") {}
};

class ThrowingDialog : public CDialog {
 public:
  ThrowingDialog() : CDialog(IDD_ABOUTBOX) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetWindowTextA(m_hWnd, "Throwing dialog");
    PostMessageA(m_hWnd, kThrowNow, 0, 0);
    return TRUE;
  }
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (msg == kThrowNow) throw std::runtime_error("dialog handler failed");
    return CDialog::OnMessage(msg, wp, lp, result);
  }
};

class ThrowingPopup : public CPopupWnd {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kThrowNow) throw std::logic_error("popup handler failed");
    return Default(msg, wp, lp);
  }
};

class ThrowingSheet : public CPropertySheet {
 public:
  ThrowingSheet() : CPropertySheet(IDS_OPTIONS_CAPTION) { AddPage(&m_page); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (msg == kThrowNow) throw 42;  // not a std::exception
    return CPropertySheet::OnMessage(msg, wp, lp, result);
  }
  void OnActivate(UINT state, HWND, BOOL) override {
    if (state != WA_INACTIVE) PostMessageA(m_hWnd, kThrowNow, 0, 0);
  }

 private:
  CPropertyPage m_page{IDD_AGENT_PAGE};
};

int RunPopup() {
  ThrowingPopup popup;
  const char* cls = AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW));
  if (!cls || !popup.CreateEx(0, cls, "Throwing popup", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr)) {
    return 10;
  }
  PostMessageA(popup.GetSafeHwnd(), kThrowNow, 0, 0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ProbeApp app;
  const char* kind = argc > 1 ? argv[1] : "";
  if (std::strcmp(kind, "popup") == 0) return RunPopup();
  if (std::strcmp(kind, "dialog") == 0) {
    ThrowingDialog dialog;
    dialog.DoModal();
    return 0;
  }
  if (std::strcmp(kind, "sheet") == 0) {
    ThrowingSheet sheet;
    sheet.DoModal();
    return 0;
  }
  return 11;
}
