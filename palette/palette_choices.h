// The palette's small decisions: the activate button's pictures, the message after a toggle,
// which system commands open the About box, and the private quit request.
#pragma once
#include "common/palette_contract.h"
#include "resource.h"

namespace velmora {

struct ButtonPictureNames {
  const char* normal;
  const char* selected;
  unsigned spokenName;  // string id of the words the picture shows, for screen readers
};

// The activate button offers activation while the cache is inactive (0) and deactivation for
// any other state.
ButtonPictureNames ActivatePictureNames(int activationState);
constexpr ButtonPictureNames kOptionsPictures{"PALETTE_OPTIONSU", "PALETTE_OPTIONSD", IDS_OPTIONS_NAME};
constexpr ButtonPictureNames kHelpPictures{"PALETTE_HELPU", "PALETTE_HELPD", IDS_HELP_NAME};

// String shown after a toggle: 110 (activated) or 111 (deactivated); 0 when the state did not
// change, since the activation has then already told the user why.
unsigned ToggleMessage(int oldState, int newState);

// System commands 0x0010-0x001F (the low four bits are the system's own) open the About box.
constexpr unsigned kAboutCommand = 0x0010;
bool IsAboutCommand(unsigned commandId);

// Another program's request to close (common/palette_contract.h): that message with exactly
// those parameters.
bool IsQuitRequest(unsigned long long wParam, long long lParam);

}  // namespace velmora
