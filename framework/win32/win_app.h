// The application object: one per process, constructed as a global before WinMain runs.
#pragma once
#include <windows.h>

namespace framework {

class CWinApp {
 public:
  explicit CWinApp(const char* appName);
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  // Start-up hook: false ends the process without a message loop.
  virtual BOOL InitInstance() { return FALSE; }
  // Message filter: every message a loop of the framework takes passes here first;
  // true means the message was handled and must not be dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Exit hook; its result becomes the process exit code.
  virtual int ExitInstance() { return m_nExitCode; }
  virtual int Run();

  HINSTANCE m_hInstance = nullptr;
  const char* m_lpCmdLine = "";  // the command line after the program name
  const char* m_pszAppName;      // caption of the framework's message boxes
  int m_nExitCode = 0;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// The body of WinMain: start-up, message loop when asked for, exit hook.
int AfxWinMain(HINSTANCE instance, LPSTR cmdLine);

}  // namespace framework
