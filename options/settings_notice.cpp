#include "options/settings_notice.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"

namespace velmora {

bool SettingsNotice::SendIfPending(const std::function<int()>& notifyDriver, Prompts& prompts, OwnerWindow sheet) {
  if (!m_bPending) return false;
  m_bPending = false;
  if (notifyDriver() != 0) prompts.ShowError(kErrCannotCommunicate, kMbIconHand, sheet);
  return true;
}

}  // namespace velmora
