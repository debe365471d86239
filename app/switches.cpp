#include "app/switches.h"

#include "common/upper_case.h"

namespace velmora {
namespace {

bool HasSwitch(const std::string& upper, const char* word) {
  return upper.find(std::string("/") + word) != std::string::npos ||
         upper.find(std::string("-") + word) != std::string::npos;
}

}  // namespace

Switches ParseSwitches(const std::string& commandLine) {
  const std::string upper = UpperCase8Bit(commandLine);

  Switches s;
  if (HasSwitch(upper, "ACT") || HasSwitch(upper, "AUT")) {
    s.commandLineAction = true;
    s.requestedState = 1;
    s.showSplash = true;
  }
  if (HasSwitch(upper, "DEA")) {
    s.commandLineAction = true;
    s.requestedState = 0;
    s.showSplash = true;
  }
  if (HasSwitch(upper, "NOB")) s.showSplash = false;
  if (HasSwitch(upper, "UPG")) s.forceUpgradePrompt = true;
  if (HasSwitch(upper, "OPTIONS")) s.optionsAlone = true;
  if (HasSwitch(upper, "?")) s.listSwitches = true;
  return s;
}

Course ChooseCourse(const Switches& switches) {
  if (switches.listSwitches) return Course::kListSwitches;
  return switches.optionsAlone ? Course::kOptionsAlone : Course::kStartup;
}

}  // namespace velmora
