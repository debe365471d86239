// The user-facing boxes, as a port: the program's windows show real message boxes, tests
// record them and answer from a script.
#pragma once
#include <string>

namespace velmora {

// An owner window, opaque to portable code; nullptr for none.
using OwnerWindow = void*;

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Error box for a catalogue code; returns the button that closed it.
  virtual int ShowError(int code, unsigned flags, OwnerWindow owner = nullptr) = 0;
  virtual int ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner = nullptr) = 0;
  // The framework's string-table box, titled with the program's name.
  virtual int ShowMessage(unsigned stringId, unsigned flags) = 0;
};

}  // namespace velmora
