// The palette's picture buttons: the framework's bitmap button with nothing added.
#pragma once
#include "framework/win32/bitmap_button.h"

namespace velmora {

class CPaletteButton : public framework::CBitmapButton {};

}  // namespace velmora
