// Helpers of the driver courses: what a person sees of an error box, and waiting through a run.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/palette_contract.h"
#include "tests/robot/robot.h"

namespace e2e {

// The error codes of the boxes seen, read from their captions ("Velmora Error :  14" -> 20014);
// each box must also carry its catalogue text and the stop icon.
inline std::vector<int> ErrorCodes(const std::vector<robot::MessageBoxSeen>& boxes) {
  std::vector<int> codes;
  for (const robot::MessageBoxSeen& b : boxes) {
    const std::string prefix = "Velmora Error :  ";
    if (b.caption.compare(0, prefix.size(), prefix) != 0) {
      ADD_FAILURE() << "not an error box: " << b.caption << " / " << b.text;
      codes.push_back(0);
      continue;
    }
    codes.push_back(20000 + std::stoi(b.caption.substr(prefix.size())));
    EXPECT_TRUE(b.hasIcon) << b.caption;
    EXPECT_EQ(std::vector<int>{IDOK}, b.buttons) << b.caption;
  }
  return codes;
}

// Closes error boxes as a person would until the process ends or, with untilPalette, until
// the palette shows. Returns the palette when it showed at any time (it may be gone by then).
inline HWND AnswerBoxes(robot::Process& p, std::vector<robot::MessageBoxSeen>* seen, robot::Millis timeout,
                        bool untilPalette) {
  HWND palette = nullptr;
  std::vector<HWND> pressed;
  robot::WaitUntil(
      [&] {
        for (const robot::MessageBoxSeen& b : robot::MessageBoxes(p.Pid())) {
          bool already = false;
          for (HWND h : pressed) already = already || h == b.wnd;
          if (already) continue;
          seen->push_back(b);
          pressed.push_back(b.wnd);
          robot::PressButton(b.wnd, IDOK);
        }
        if (HWND w = robot::FindTopWindow(p.Pid(), velmora::kPaletteClassName)) palette = w;
        return (untilPalette && palette != nullptr) || !p.Running();
      },
      timeout);
  return palette;
}

inline HWND AnswerBoxesUntilPalette(robot::Process& p, std::vector<robot::MessageBoxSeen>* seen,
                                    robot::Millis timeout) {
  return AnswerBoxes(p, seen, timeout, true);
}

}  // namespace e2e
