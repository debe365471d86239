// What the options sheet and its pages use, handed to them by the program that wires them
// together: a page can be shown over any store, system and driver, a test's included.
#pragma once
#include <string>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "common/system_port.h"
#include "driver/driver_channel.h"

namespace velmora {

struct OptionsServices {
  SettingsStore& settings;
  SystemPort& system;
  Prompts& prompts;
  CDriverChannel& driver;
  // Read at start-up, after the sheet's owner was made: held by reference. No trailing backslash.
  const std::string& installDir;
};

}  // namespace velmora
