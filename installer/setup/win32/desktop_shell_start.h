// Starting a program as the signed-in user from an elevated SETUP.EXE: the desktop's shell runs
// as that user with that user's own rights, and starts what it is asked to as itself.
#pragma once
#include <string>

namespace velmora::setup {

// Asks the shell of this desktop to start `program` in `folder`. False when no shell answers
// (none runs, or it is not the system's own): the caller then starts nothing.
bool StartThroughDesktopShell(const std::wstring& program, const std::wstring& folder);

}  // namespace velmora::setup
