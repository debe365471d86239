// What a window procedure does with an exception it caught: the window's state is unknown from
// then on, so the program says what happened and ends instead of going on.
#pragma once
#include <windows.h>

namespace framework {

// Exit status of a program ended by an exception in a window procedure.
constexpr int kWindowFailureExitCode = 3;

// Call only from a catch block of a window procedure. Writes the exception's text and the window
// (class and caption) to the debugger output, shows them in an error box with no owner, and
// ends the process with kWindowFailureExitCode. A window that fails again while the box is up
// ends the process at once.
[[noreturn]] void EndOnWindowException(HWND wnd) noexcept;

}  // namespace framework
