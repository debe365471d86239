#include "options/settings_notice.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"

namespace velmora {

void NoteApplyChecked(int* notifyPending, bool changed) {
  if (changed) *notifyPending = 1;
}

bool SendNoticeIfPending(int* notifyPending, SheetMoment, const std::function<int()>& notifyDriver,
                         Prompts& prompts, OwnerWindow sheet) {
  if (*notifyPending != 1) return false;
  *notifyPending = 0;
  if (notifyDriver() != 0) prompts.ShowError(kErrCannotCommunicate, kMbIconHand, sheet);
  return true;
}

}  // namespace velmora
