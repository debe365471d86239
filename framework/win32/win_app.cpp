#include "framework/win32/win_app.h"

namespace framework {
namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
  g_app = this;
  // Tests construct an application object without WinMain; give them the module anyway.
  m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::PreTranslateMessage(MSG*) { return FALSE; }

int CWinApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr); }

int AfxWinMain(HINSTANCE instance, LPSTR cmdLine) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = instance;
  app->m_lpCmdLine = cmdLine ? cmdLine : "";
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}

}  // namespace framework
