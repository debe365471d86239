// The framework's own string resources; the program's string table carries
// these entries under these numbers.
#pragma once
#include <windows.h>

namespace framework {

constexpr UINT kIdpParseInt = 61712;       // "Please enter an integer."
constexpr UINT kIdpParseIntRange = 61713;  // "Please enter an integer between %1 and %2."
constexpr UINT kIdpHelpNotShown = 61714;    // the help file (%1) or its viewer is missing

}  // namespace framework
