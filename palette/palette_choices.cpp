#include "palette/palette_choices.h"

#include "resource.h"

namespace velmora {

ButtonPictureNames ActivatePictureNames(int activationState) {
  if (activationState == 0) return {"PALETTE_ACTIVATEU", "PALETTE_ACTIVATED", IDS_ACTIVATE_NAME};
  return {"PALETTE_DEACTIVATEU", "PALETTE_DEACTIVATED", IDS_DEACTIVATE_NAME};
}

unsigned ToggleMessage(int oldState, int newState) {
  if (newState == oldState) return 0;
  return oldState == 1 ? IDS_DEACTIVATED : IDS_ACTIVATED;
}

bool IsAboutCommand(unsigned commandId) { return (commandId & 0xFFF0u) == kAboutCommand; }

bool IsQuitRequest(unsigned long long wParam, long long lParam) {
  return wParam == kQuitWParam && lParam == kQuitLParam;
}

}  // namespace velmora
