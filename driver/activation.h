// Turning the cache on or off: check the driver, compare its state with the one asked for,
// send the change when they differ, and record the new state in the registry.
#pragma once
#include "common/prompts.h"
#include "common/settings_store.h"
#include "driver/driver_channel.h"

namespace velmora {

// The error box for a refused change request: 20011-20014 for the results -1 to -4 (20010
// minus the result); 20021 for any other refusal, whose meaning the program does not know.
int ErrorForActivationResult(int result);

// requested: 1 active, 0 inactive. Returns 0 when the cache is now in that state, -1 when the
// driver is unusable or of another version (nothing sent), else the driver's refusal. Shows its
// own error boxes; writes "ActivateState" only after the driver accepted a change, and only
// where the stored value differs from the new state (20017 when that write fails).
int SetActivation(CDriverChannel& driver, SettingsStore& settings, Prompts& prompts, int requested);

}  // namespace velmora
