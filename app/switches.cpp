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
    s.commandLineAction = 1;
    s.requestedState = 1;
    s.showSplash = 1;
  }
  if (HasSwitch(upper, "DEA")) {
    s.commandLineAction = 1;
    s.requestedState = 0;
    s.showSplash = 1;
  }
  if (HasSwitch(upper, "NOB")) s.showSplash = 0;
  if (HasSwitch(upper, "UPG")) s.forceUpgradePrompt = 1;
  return s;
}

}  // namespace velmora
