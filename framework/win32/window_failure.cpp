#include "framework/win32/window_failure.h"

#include <atomic>
#include <exception>
#include <string>

#include "framework/win32/win_app.h"

namespace framework {
namespace {

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

// The window's class and caption, read without calling its own procedure again.
std::string DescribeWindow(HWND wnd) {
  char cls[128] = "";
  char caption[256] = "";
  if (wnd) {
    GetClassNameA(wnd, cls, sizeof cls);
    DefWindowProcA(wnd, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
  }
  return std::string("window \"") + caption + "\" (class " + cls + ")";
}

}  // namespace

void EndOnWindowException(HWND wnd) noexcept {
  static std::atomic_flag s_reporting = ATOMIC_FLAG_INIT;  // the process is ending
  if (s_reporting.test_and_set()) ExitProcess(kWindowFailureExitCode);

  const std::string text = "Unexpected error in the " + DescribeWindow(wnd) + ": " + CurrentExceptionText() +
                           "\nThe program ends.";
  OutputDebugStringA((text + "\n").c_str());
  const CWinApp* app = AfxGetApp();
  MessageBoxA(nullptr, text.c_str(), app ? app->m_pszAppName : "", MB_OK | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
  ExitProcess(kWindowFailureExitCode);
}

}  // namespace framework
