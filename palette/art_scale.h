// Which of the pictures drawn for 100, 125, 150, 175 and 200 % a window at a given DPI shows,
// and the resource name of that picture.
#pragma once
#include <string>

namespace velmora {

constexpr int kBaseDpi = 96;

// The drawn scale nearest to dpi / 96 (a tie takes the smaller), within 100-200 %.
int ArtScalePercent(int dpi);

// "NAME" at 100 %, "NAME_150" at 150 %: the scheme of the picture resources.
std::string ScaledPictureName(const char* name, int percent);

// value pixels at 96 DPI in a window at dpi, rounded half up as MulDiv rounds.
int ScaleToDpi(int value, int dpi);

}  // namespace velmora
