// When the options sheet tells the driver that settings changed.
//
// An apply whose change check found something leaves a notice pending. The notice goes out
// right after the apply has stored the values (OK and Apply alike), and otherwise at the next
// page activation; either way once, and a refusal by the driver is reported once and not retried.
#pragma once
#include <functional>

#include "common/prompts.h"

namespace velmora {

class SettingsNotice {
 public:
  // The change check of an apply notification: changes leave the notice pending; an apply
  // without changes leaves it as it was.
  void NoteApplyChecked(bool changed) {
    if (changed) m_bPending = true;
  }

  // Sends the notice when one is pending, clearing it whatever the driver answers; a refusal
  // (anything but 0) shows 20022 owned by the sheet. True when the driver was asked.
  bool SendIfPending(const std::function<int()>& notifyDriver, Prompts& prompts, OwnerWindow sheet);

  bool pending() const { return m_bPending; }

 private:
  bool m_bPending = false;  // an apply found changes the driver has not heard of yet
};

}  // namespace velmora
