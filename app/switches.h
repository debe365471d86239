// Command-line switches. Each switch is found as a plain substring of the upper-cased command
// line, in its slash or dash form, so "/activate" and "-deact" count too.
#pragma once
#include <string>

namespace velmora {

struct Switches {
  bool commandLineAction = false;   // activate or deactivate without the palette
  int requestedState = 1;           // 1 active, 0 inactive
  bool showSplash = false;          // show the start-up picture meanwhile
  bool forceUpgradePrompt = false;  // offer the upgrade whatever the registry says
};

// Tests the switches in a fixed order (ACT, AUT, DEA, NOB, UPG); later ones overwrite what
// earlier ones set, whatever their order on the command line.
Switches ParseSwitches(const std::string& commandLine);

}  // namespace velmora
