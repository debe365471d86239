// Any bytes of any length: parsing must not crash or read out of bounds, and its answer must
// be one the switch table can give.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/switches.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velmora::Switches s = velmora::ParseSwitches(std::string(reinterpret_cast<const char*>(data), size));
  if (!s.commandLineAction && (s.requestedState != 1 || s.showSplash)) std::abort();
  if (s.requestedState != 0 && s.requestedState != 1) std::abort();
  return 0;
}
