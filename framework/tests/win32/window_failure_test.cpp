// An exception in a window procedure is reported and ends the program. The throwing windows run
// in a probe program of their own, under this test as its debugger, so the test reads the
// debugger output, answers the error box and sees the exit status.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "framework/win32/handles.h"
#include "framework/win32/window_failure.h"
#include "tests/robot/robot.h"

namespace framework {
namespace {

using namespace std::chrono_literals;

struct ProbeRun {
  bool started = false;
  bool ended = false;
  DWORD exitCode = 0;
  std::string debugOutput;
  robot::MessageBoxSeen box;
};

// Runs the probe for one kind of window as its debugger until it ends (at most 30 s); a thread
// of its own presses OK in the first message box.
ProbeRun RunProbe(const std::string& kind) {
  ProbeRun run;
  const std::string path = robot::ProgramDir() + "\\window_failure_probe.exe";
  std::string cmd = "\"" + path + "\" " + kind;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(path.c_str(), cmd.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                      &si, &pi)) {
    return run;
  }
  run.started = true;
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  auto answer = std::async(std::launch::async, [&run, pid = pi.dwProcessId] {
    if (robot::WaitForMessageBox(pid, &run.box, 20s)) robot::PressButton(run.box.wnd, IDOK);
  });
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!run.ended && GetTickCount64() < deadline) {
    DEBUG_EVENT ev{};
    if (!WaitForDebugEvent(&ev, 500)) continue;
    DWORD status = DBG_CONTINUE;
    switch (ev.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        UniqueKernelHandle(ev.u.CreateProcessInfo.hFile).reset();
        break;
      case LOAD_DLL_DEBUG_EVENT:
        UniqueKernelHandle(ev.u.LoadDll.hFile).reset();
        break;
      case EXCEPTION_DEBUG_EVENT:
        // The probe's own exceptions are its to handle; only the loader's breakpoint is ours.
        if (ev.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) status = DBG_EXCEPTION_NOT_HANDLED;
        break;
      case OUTPUT_DEBUG_STRING_EVENT: {
        const OUTPUT_DEBUG_STRING_INFO& info = ev.u.DebugString;
        std::string text(info.nDebugStringLength, '\0');
        SIZE_T read = 0;
        if (!info.fUnicode &&
            ReadProcessMemory(process.get(), info.lpDebugStringData, text.data(), text.size(), &read)) {
          run.debugOutput += text.substr(0, text.find('\0'));
        }
        break;
      }
      case EXIT_PROCESS_DEBUG_EVENT:
        run.exitCode = ev.u.ExitProcess.dwExitCode;
        run.ended = true;
        break;
      default:
        break;
    }
    ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
  }
  if (!run.ended) TerminateProcess(process.get(), 1);
  answer.get();
  return run;
}

TEST(WindowFailureTest, AnExceptionInAnyWindowProcedureIsToldAndEndsTheProgram) {
  struct Case {
    const char* kind;
    const char* window;  // the window named in the report
    const char* what;
  } cases[] = {
      {"dialog", "window \"Throwing dialog\" (class #32770)", "dialog handler failed"},
      {"popup", "window \"Throwing popup\" (class VelmoraWnd:", "popup handler failed"},
      {"sheet", "window \"Velmora Options\" (class #32770)", "an exception of unknown type"},
  };
  for (const Case& c : cases) {
    const ProbeRun run = RunProbe(c.kind);
    ASSERT_TRUE(run.started) << c.kind;
    ASSERT_TRUE(run.ended) << c.kind;
    EXPECT_EQ(static_cast<DWORD>(kWindowFailureExitCode), run.exitCode) << c.kind;
    EXPECT_NE(std::string::npos, run.box.text.find(c.window)) << c.kind << ": " << run.box.text;
    EXPECT_NE(std::string::npos, run.box.text.find(c.what)) << c.kind << ": " << run.box.text;
    EXPECT_EQ("Window failure probe", run.box.caption) << c.kind;
    EXPECT_TRUE(run.box.hasIcon) << c.kind;
    EXPECT_NE(std::string::npos, run.debugOutput.find(run.box.text)) << c.kind << ": " << run.debugOutput;
  }
}

}  // namespace
}  // namespace framework
