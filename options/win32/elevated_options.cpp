#include "options/win32/elevated_options.h"

#include <shellapi.h>

#include <string>

#include "common/windows_errors.h"
#include "framework/win32/handles.h"
#include "framework/win32/modal_scope.h"
#include "framework/win32/system_library.h"
#include "framework/win32/win_app.h"

namespace velmora {
namespace {

void ShowStartFailure(HWND sheet, DWORD error) {
  char* raw = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<char*>(&raw), 0, nullptr);
  const framework::UniqueLocal<char> text(raw);
  const std::string message = raw ? raw : "Error " + std::to_string(error);
  const framework::CWinApp* app = framework::AfxGetApp();
  framework::ModalMessageBox(sheet, message.c_str(), app ? app->m_pszAppName : "Velmora", MB_OK | MB_ICONHAND);
}

// Paints and processes everything but the user's input until `process` ends.
void WaitPainted(HANDLE process) {
  for (;;) {
    if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // for the sheet's own loop, once this ends
        WaitForSingleObject(process, INFINITE);
        return;
      }
      const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                         (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                         (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK);
      if (input) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

bool RunElevatedOptions(HWND sheet) {
  char path[MAX_PATH] = {};
  if (!GetModuleFileNameA(nullptr, path, MAX_PATH) || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    ShowStartFailure(sheet, GetLastError());
    return false;
  }
  SHELLEXECUTEINFOA run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;  // our own box, not the shell's
  run.hwnd = sheet;
  run.lpVerb = "runas";
  run.lpFile = path;
  run.lpParameters = "/OPTIONS";
  run.nShow = SW_SHOWNORMAL;
  // SHELL32 on first use, as every program start of ours.
  auto* shellExecute = framework::ShellLibrary().Find<decltype(::ShellExecuteExA)>("ShellExecuteExA");
  if (!shellExecute) {
    ShowStartFailure(sheet, ERROR_DLL_NOT_FOUND);
    return false;
  }
  if (!shellExecute(&run)) {
    const DWORD error = GetLastError();
    if (error != static_cast<DWORD>(kErrorCancelled)) ShowStartFailure(sheet, error);
    return false;
  }
  if (!run.hProcess) return false;  // handed to a process already running: nothing to wait for
  const framework::UniqueKernelHandle process(run.hProcess);
  EnableWindow(sheet, FALSE);
  WaitPainted(process.get());
  EnableWindow(sheet, TRUE);
  SetForegroundWindow(sheet);
  return true;
}

}  // namespace velmora
