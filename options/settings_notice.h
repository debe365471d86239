// When the options sheet tells the driver that settings changed.
//
// An apply whose change check found something leaves a notice pending. The notice goes out
// right after the apply has stored the values (OK and Apply alike), and otherwise at the next
// page activation; either way once, and a refusal by the driver is reported once and not retried.
#pragma once
#include <functional>

#include "common/prompts.h"

namespace velmora {

enum class SheetMoment {
  kPageActivated,  // a page became the active one
  kApplyStored,    // the last page of an apply has stored its values
};

// The change check of an apply notification: changes leave the notice pending; an apply
// without changes leaves the flag as it was.
void NoteApplyChecked(int* notifyPending, bool changed);

// Sends the notice when one is pending, clearing the flag whatever the driver answers; a
// refusal (anything but 0) shows 20022 owned by the sheet. True when the driver was asked.
bool SendNoticeIfPending(int* notifyPending, SheetMoment moment, const std::function<int()>& notifyDriver,
                         Prompts& prompts, OwnerWindow sheet);

}  // namespace velmora
