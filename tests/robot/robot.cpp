#include "tests/robot/robot.h"

#include <thread>

namespace robot {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ProgramDir() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string path(buf, n);
  return path.substr(0, path.find_last_of("\\/"));
}

Process::~Process() { Kill(); }

bool Process::Running() const {
  return m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(Millis timeout, DWORD* code) {
  if (!m_process) return false;
  if (WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(m_process.get(), code);
  return true;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(m_process.get(), 99);
    WaitForSingleObject(m_process.get(), 5000);
  }
}

Process Start(const std::string& program, const std::string& args, const std::string& workDir) {
  const std::string path = program.find('\\') == std::string::npos ? ProgramDir() + "\\" + program : program;
  std::string cmd = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(path.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi)) {
    return Process();
  }
  CloseHandle(pi.hThread);
  return Process(framework::UniqueKernelHandle(pi.hProcess), pi.dwProcessId);
}

bool WaitUntil(const std::function<bool()>& pred, Millis timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (pred()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
}

std::vector<HWND> TopWindows(DWORD pid, bool visibleOnly) {
  struct Ctx {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> found;
  } ctx{pid, visibleOnly, {}};
  EnumWindows(
      [](HWND wnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        if (owner == c->pid && (!c->visibleOnly || IsWindowVisible(wnd))) c->found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

std::string ClassName(HWND wnd) {
  char buf[256];
  int n = GetClassNameA(wnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string Text(HWND wnd) {
  // Not SMTO_ABORTIFHUNG: a program that just waited seconds for its driver counts as hung
  // until its next message loop runs, though its new box is already on the screen.
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len)) return {};
  std::string buf(len + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(wnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data()), SMTO_NORMAL, 5000, &got);
  buf.resize(got);
  return buf;
}

HWND FindTopWindow(DWORD pid, const std::string& className, const std::string& caption, bool visibleOnly) {
  for (HWND w : TopWindows(pid, visibleOnly)) {
    if (ClassName(w) == className && (caption.empty() || Text(w) == caption)) return w;
  }
  return nullptr;
}

HWND WaitForTopWindow(DWORD pid, const std::string& className, const std::string& caption, Millis timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(pid, className, caption)) != nullptr; }, timeout);
  return found;
}

std::vector<MessageBoxSeen> MessageBoxes(DWORD pid) {
  std::vector<MessageBoxSeen> boxes;
  for (HWND w : TopWindows(pid)) {
    if (ClassName(w) != "#32770") continue;
    // A message box holds one text control 0xFFFF, perhaps an icon, and only push buttons with
    // the standard answers. Dialogs whose unnamed labels also carry 0xFFFF do not qualify.
    MessageBoxSeen box;
    int texts = 0;
    bool onlyBoxControls = true;
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      const std::string cls = ClassName(child);
      const LONG style = GetWindowLongA(child, GWL_STYLE);
      if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
        box.hasIcon = true;
      } else if (cls == "Static" && id == 0xFFFF) {
        ++texts;
        box.text = Text(child);
      } else if (cls == "Button" && id >= IDOK && id <= IDCONTINUE) {
        if (IsWindowVisible(child)) box.buttons.push_back(id);
      } else if (IsWindowVisible(child)) {
        onlyBoxControls = false;
      }
    }
    if (texts != 1 || !onlyBoxControls) continue;
    box.wnd = w;
    box.caption = Text(w);
    box.owner = GetWindow(w, GW_OWNER);
    boxes.push_back(box);
  }
  return boxes;
}

bool WaitForMessageBox(DWORD pid, MessageBoxSeen* box, Millis timeout) {
  return WaitUntil(
      [&] {
        auto boxes = MessageBoxes(pid);
        if (boxes.empty()) return false;
        *box = boxes.front();
        return true;
      },
      timeout);
}

void PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
}

std::vector<MessageBoxSeen> AnswerBoxesUntilExit(Process& p, Millis timeout, int button) {
  std::vector<MessageBoxSeen> seen;
  std::vector<HWND> pressed;
  WaitUntil(
      [&] {
        for (const MessageBoxSeen& b : MessageBoxes(p.Pid())) {
          bool already = false;
          for (HWND h : pressed) already = already || h == b.wnd;
          if (already) continue;
          seen.push_back(b);
          pressed.push_back(b.wnd);
          PressButton(b.wnd, button);
        }
        return !p.Running();
      },
      timeout);
  return seen;
}

}  // namespace robot
