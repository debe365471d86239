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
  bool optionsAlone = false;        // the options sheet alone (an administrator's elevated run)
  bool listSwitches = false;        // "/?": the switches and exit statuses in a box
};

// Which course a run takes: the list of switches wins over everything, the options alone over
// the palette and the command-line change.
enum class Course { kListSwitches, kOptionsAlone, kStartup };
Course ChooseCourse(const Switches& switches);

// Tests the switches in a fixed order (ACT, AUT, DEA, NOB, UPG); later ones overwrite what
// earlier ones set, whatever their order on the command line. OPTIONS and ? set only their own.
Switches ParseSwitches(const std::string& commandLine);

}  // namespace velmora
