// What the program makes of the driver's answers: the version it must have, and the error box
// that belongs to a state it cannot work with.
#pragma once
#include "common/prompts.h"
#include "driver/driver_channel.h"

namespace velmora {

// 1 when the status request succeeded and the driver reports the client's own version
// (4.5.1 build 370); else 0. A failed request leaves the version words of the record at 0.
int CheckDriverVersion(CDriverChannel& driver, DriverStatus* status);

// The error box for a driver state (20011-20014, 20020, 20021); 0 for a state that needs none.
int ErrorForDriverState(int state);

// Shows the error of the driver's current state, if any (one status request).
void ReportDriverStatus(CDriverChannel& driver, Prompts& prompts);

// The check every start makes: a usable driver must have the client's version (else 20026);
// an unusable one gets the error of its state. Start-up goes on either way.
void CheckDriverAtStartup(CDriverChannel& driver, Prompts& prompts);

}  // namespace velmora
