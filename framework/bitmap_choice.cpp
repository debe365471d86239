#include "framework/bitmap_choice.h"

namespace framework {

ButtonPicture ChooseButtonPicture(ItemState state, const bool loaded[4]) {
  if (state.selected && loaded[static_cast<int>(ButtonPicture::Selected)]) return ButtonPicture::Selected;
  if (state.focus && loaded[static_cast<int>(ButtonPicture::Focus)]) return ButtonPicture::Focus;
  if (state.disabled && loaded[static_cast<int>(ButtonPicture::Disabled)]) return ButtonPicture::Disabled;
  return ButtonPicture::Normal;
}

}  // namespace framework
