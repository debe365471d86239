// Which of a bitmap button's four pictures to draw for an owner-draw item state.
#pragma once

namespace framework {

enum class ButtonPicture { Normal = 0, Selected = 1, Focus = 2, Disabled = 3 };

struct ItemState {
  bool selected = false;  // ODS_SELECTED
  bool focus = false;     // ODS_FOCUS
  bool disabled = false;  // ODS_DISABLED
};

// Pressed beats focused beats disabled; a picture that is not loaded is passed over, and the
// normal picture is the fall-back. loaded[] is indexed by ButtonPicture.
ButtonPicture ChooseButtonPicture(ItemState state, const bool loaded[4]);

}  // namespace framework
