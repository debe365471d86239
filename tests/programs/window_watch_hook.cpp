// A global window-procedure hook for end-to-end tests that must see a window too short-lived to
// poll for (the start-up picture). In every process it is loaded into, it reports the shown and
// destroyed top-level windows of the framework's own window classes to the test's receiver
// window with a synchronous WM_COPYDATA, so the watched program waits while the test records.
#include <windows.h>

#include <cstring>

#include "tests/programs/window_watch.h"

namespace {

HINSTANCE g_module = nullptr;

bool IsWatched(HWND wnd) {
  if (GetParent(wnd) != nullptr && (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) return false;
  char cls[64] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  return std::strncmp(cls, window_watch::kClassPrefix, std::strlen(window_watch::kClassPrefix)) == 0;
}

void Report(HWND wnd, int event) {
  HWND receiver = FindWindowA(window_watch::kReceiverClass, nullptr);
  if (!receiver) return;
  window_watch::Event e{};
  e.event = event;
  e.pid = GetCurrentProcessId();
  GetWindowRect(wnd, &e.rect);
  e.visible = IsWindowVisible(wnd) ? 1 : 0;
  COPYDATASTRUCT cds{window_watch::kCopyDataTag, sizeof e, &e};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &ignored);
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* c = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (c->message == WM_SHOWWINDOW && c->wParam && IsWatched(c->hwnd)) Report(c->hwnd, window_watch::kShown);
    if (c->message == WM_DESTROY && IsWatched(c->hwnd)) Report(c->hwnd, window_watch::kDestroyed);
    if (c->message == WM_PAINT && IsWatched(c->hwnd)) Report(c->hwnd, window_watch::kPainted);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

extern "C" __declspec(dllexport) HHOOK WatchWindows() {
  return SetWindowsHookExA(WH_CALLWNDPROCRET, &AfterWindowProc, g_module, 0);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = module;
  return TRUE;
}
