#include "common/upper_case.h"

namespace velmora {

std::string UpperCase8Bit(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    // ASCII letters, and the accented letters of the Western code page (not the division sign).
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 0x20);
  }
  return out;
}

}  // namespace velmora
