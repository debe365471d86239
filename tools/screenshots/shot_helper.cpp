// Helps tools/screenshots.sh pose the program for its pictures:
//   shot_helper about          opens the running palette's About box
//   shot_helper splash MS [PROGRAM]
//                              starts "Velmora.exe /ACT" (the one beside it, or PROGRAM) and
//                              holds its start-up picture on the screen for MS milliseconds
//                              (through the window-watch hook)
//   shot_helper press CAPTION ID
//                              presses button ID of the top-level window CAPTION
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/palette_contract.h"
#include "tests/programs/window_watch.h"

namespace {

DWORD g_holdMs = 0;

std::string ProgramDir() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string path(buf, n);
  return path.substr(0, path.find_last_of("\\/"));
}

LRESULT CALLBACK ReceiverProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    const auto* e = static_cast<const window_watch::Event*>(cds->lpData);
    if (cds->dwData == window_watch::kCopyDataTag && e->event == window_watch::kPainted) Sleep(g_holdMs);
    return TRUE;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

int About() {
  HWND palette = nullptr;
  for (int i = 0; i < 100 && !palette; ++i, Sleep(100)) palette = FindWindowA(velmora::kPaletteClassName, nullptr);
  if (!palette) return 1;
  PostMessageA(palette, WM_SYSCOMMAND, 0x0010, 0);
  return 0;
}

int Press(const char* caption, int id) {
  HWND wnd = nullptr;
  for (int i = 0; i < 100 && !wnd; ++i, Sleep(100)) wnd = FindWindowA(nullptr, caption);
  if (!wnd) return 1;
  PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wnd, id)));
  return 0;
}

int Splash(DWORD holdMs, const std::string& program) {
  g_holdMs = holdMs;
  WNDCLASSA wc{};
  wc.lpfnWndProc = &ReceiverProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = window_watch::kReceiverClass;
  RegisterClassA(&wc);
  CreateWindowExA(0, window_watch::kReceiverClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  HMODULE dll = LoadLibraryA((ProgramDir() + "\\window_watch_hook.dll").c_str());
  auto watch = dll ? reinterpret_cast<HHOOK (*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "WatchWindows"))) : nullptr;
  HHOOK hook = watch ? watch() : nullptr;
  if (!hook) return 1;

  std::string cmd = "\"" + program + "\" /ACT";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  // Serve the hook's reports until the program ends.
  while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  UnhookWindowsHookEx(hook);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "about") == 0) return About();
  if (argc >= 3 && std::strcmp(argv[1], "splash") == 0)
    return Splash(static_cast<DWORD>(std::atoi(argv[2])), argc >= 4 ? argv[3] : ProgramDir() + "\\Velmora.exe");
  if (argc >= 4 && std::strcmp(argv[1], "press") == 0) return Press(argv[2], std::atoi(argv[3]));
  return 2;
}
