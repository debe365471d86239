// The program's string resources.
#pragma once
#include <windows.h>

#include <string>

namespace framework {

// Loads a string resource of the program; empty when there is none.
std::string LoadResourceString(UINT id, int bufferSize = 256);

}  // namespace framework
