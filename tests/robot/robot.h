// A small UI robot for end-to-end tests: starts programs, finds their windows and message
// boxes, reads what a person would read and presses what a person would press.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "framework/win32/handles.h"

namespace robot {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// The folder of the running test program (the built programs sit beside it).
std::string ProgramDir();
bool FileExists(const std::string& path);

class Process {
 public:
  Process() = default;
  Process(framework::UniqueKernelHandle process, DWORD pid) : m_process(std::move(process)), m_pid(pid) {}
  Process(Process&&) = default;
  Process& operator=(Process&&) = default;
  ~Process();  // kills the process when a test leaves it running

  DWORD Pid() const { return m_pid; }
  HANDLE Handle() const { return m_process.get(); }
  bool Running() const;
  // Waits for the end; false on time-out. The exit code goes to *code.
  bool WaitForExit(Millis timeout, DWORD* code = nullptr);
  void Kill();

 private:
  framework::UniqueKernelHandle m_process;
  DWORD m_pid = 0;
};

// Starts a program of the build folder (for example "Velmora.exe") with a command line.
Process Start(const std::string& program, const std::string& args, const std::string& workDir = "");

// Polls until pred() holds or the deadline passes, pumping this thread's messages meanwhile.
bool WaitUntil(const std::function<bool()>& pred, Millis timeout);

// Top-level windows of a process (visible ones only, unless told otherwise).
std::vector<HWND> TopWindows(DWORD pid, bool visibleOnly = true);
std::string ClassName(HWND wnd);
std::string Text(HWND wnd);  // WM_GETTEXT, which works across processes
HWND FindTopWindow(DWORD pid, const std::string& className, const std::string& caption = "", bool visibleOnly = true);
HWND WaitForTopWindow(DWORD pid, const std::string& className, const std::string& caption, Millis timeout);

struct MessageBoxSeen {
  HWND wnd = nullptr;
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  bool hasIcon = false;
  std::vector<int> buttons;  // ids of the buttons present (IDOK, IDCANCEL, IDYES, IDNO)
};
// The next message box of the process (a dialog with the text control 0xFFFF).
bool WaitForMessageBox(DWORD pid, MessageBoxSeen* box, Millis timeout);
// A message box of the process whose window is not one of `seen`.
std::vector<MessageBoxSeen> MessageBoxes(DWORD pid);
// Presses a button of a dialog (a message box's IDOK, IDYES ...) as a click would.
void PressButton(HWND dialog, int id);
// Closes each message box as it comes, until the process ends; returns what was seen.
std::vector<MessageBoxSeen> AnswerBoxesUntilExit(Process& p, Millis timeout, int button = IDOK);

}  // namespace robot
