// What the palette uses, handed to it by the program that wires it together. The options
// sheet and the start lock belong to other parts of the program: the palette only asks for them.
#pragma once
#include <functional>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "driver/driver_channel.h"

namespace velmora {

struct PaletteServices {
  CDriverChannel& driver;
  SettingsStore& settings;
  Prompts& prompts;
  // Runs the options sheet modally over the given (hidden) palette window.
  std::function<void(OwnerWindow parent)> runOptions;
  // The palette's window exists: a start at the same moment may now find it.
  std::function<void()> shown;
};

}  // namespace velmora
