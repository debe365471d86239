// Helpers of the fault-injection courses: run the program to its end (or to its palette) while
// answering every box and dialog as a person in a hurry would, and time what it took.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "common/palette_contract.h"
#include "tests/e2e/driver_support.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"
#include "tools/vlifs95sim/stand_in_driver.h"

namespace fault_e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using namespace robot::keys;
constexpr char kAgents[] = "SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents";
constexpr char kPaletteCaption[] = "Corvane Velmora";

struct Course {
  std::vector<int> errors;             // error boxes, by code, in order
  std::vector<std::string> otherBoxes; // texts of message boxes that are not error boxes
  std::vector<std::string> dialogs;    // captions of other dialogs seen (the upgrade prompt ...)
  bool sawPalette = false;
  bool ended = false;
  DWORD exitCode = 99;
  Clock::duration took{};
};

// Starts Velmora.exe and answers what comes (boxes with OK, other dialogs with Cancel, the
// palette by closing it) until the process ends or the time is up.
inline Course RunToEnd(const std::string& args, robot::Millis timeout = 30s) {
  Course run;
  const auto start = Clock::now();
  robot::Process p = robot::Start("Velmora.exe", args);
  EXPECT_TRUE(p.Running() || p.WaitForExit(0ms)) << "could not start: " << args.substr(0, 80);
  std::vector<HWND> handled;
  std::vector<robot::MessageBoxSeen> boxes;
  robot::WaitUntil(
      [&] {
        for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid())) {
          if (std::find(handled.begin(), handled.end(), b.wnd) != handled.end()) continue;
          handled.push_back(b.wnd);
          if (b.caption.rfind("Velmora Error", 0) == 0) {
            boxes.push_back(b);
          } else {
            run.otherBoxes.push_back(b.text);
          }
          robot::PressButton(b.wnd, IDOK);
        }
        for (HWND w : robot::TopWindows(p.Pid())) {
          if (std::find(handled.begin(), handled.end(), w) != handled.end()) continue;
          const std::string cls = robot::ClassName(w);
          if (cls == velmora::kPaletteClassName) {
            run.sawPalette = true;
            handled.push_back(w);
            PostMessageA(w, WM_CLOSE, 0, 0);
          } else if (cls == "#32770") {
            // Message boxes (caption the program's title, or an error caption) wait for the
            // next round; any other dialog is declined.
            const std::string caption = robot::Text(w);
            if (caption == "Velmora" || caption.rfind("Velmora Error", 0) == 0) continue;
            run.dialogs.push_back(caption);
            handled.push_back(w);
            robot::PressButton(w, IDCANCEL);
          }
        }
        return !p.Running();
      },
      timeout);
  run.ended = p.WaitForExit(1s, &run.exitCode);
  run.took = Clock::now() - start;
  run.errors = e2e::ErrorCodes(boxes);
  return run;
}

// A driver that reports a state of its own choosing.
inline velmora::sim::StandInSettings InState(int state) {
  velmora::sim::StandInSettings s;
  s.state = state;
  return s;
}

inline long long Millis(Clock::duration d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); }

}  // namespace fault_e2e
