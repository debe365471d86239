#include "palette/art_scale.h"

namespace velmora {

int ArtScalePercent(int dpi) {
  if (dpi <= kBaseDpi) return 100;
  // Steps of 25 % are steps of 24 DPI: round to the nearest step, a tie going down.
  const int steps = (dpi - kBaseDpi + 11) / 24;
  return steps >= 4 ? 200 : 100 + 25 * steps;
}

std::string ScaledPictureName(const char* name, int percent) {
  std::string out = name ? name : "";
  if (percent != 100) out += "_" + std::to_string(percent);
  return out;
}

int ScaleToDpi(int value, int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  const long long scaled = static_cast<long long>(value) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

}  // namespace velmora
