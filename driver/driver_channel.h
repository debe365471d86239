// The control channel to the cache driver: the four requests the program sends and the three
// questions derived from the status request. Stateless: every call builds a fresh, zeroed
// buffer, and every derived question makes its own status request.
#pragma once
#include <cstdint>

#include "driver/driver_transport.h"

namespace velmora {

enum DriverRequest : std::int32_t {
  kRequestQueryStatus = 1,
  kRequestActivate = 2,
  kRequestDeactivate = 3,
  kRequestSettingsChanged = 5,
};

// Word 4 of the status record.
enum DriverState : std::int32_t {
  kStateMissing = -5,  // also our own value when the status request itself fails
  kStateInitDiskSpace = -4,
  kStateInitCacheFailed = -3,
  kStateInitFailed = -2,
  kStateUnknown = -1,
  kStateNotActive = 0,
  kStateDisabled = 1,
  kStateActive = 3,
  kStateInactive = 4,
};

// Words 1-79 of the buffer after a status request.
struct DriverStatus {
  std::int32_t versionMajor = 0;
  std::int32_t versionMinor = 0;
  std::int32_t versionRevision = 0;
  std::int32_t versionBuild = 0;
  std::int32_t state = 0;
  std::int32_t unused[74] = {};
};
static_assert(sizeof(DriverStatus) == 79 * 4, "the status record is 79 words");

class CDriverChannel {
 public:
  explicit CDriverChannel(DriverTransport& transport) : m_transport(&transport) {}

  // Sends the request in word 0; every other word is cleared first, so nothing the driver
  // did not write can be read back as its answer. 0 when the exchange took place, else -1.
  int SendRequest(ExchangeBuffer& buffer);
  // -1 when the exchange failed (record untouched); else the driver's result, record filled.
  int QueryStatus(DriverStatus* status);
  // -1 when the exchange failed; else the driver's result (0 = done).
  int Activate();
  int Deactivate();
  int NotifySettingsChanged();

  // 1 when the status request succeeded and the state is 3 (active); else 0.
  int IsActive();
  // The reported state; -5 when the status request did not succeed.
  int GetDriverState();
  // 0 for the states -5 to -1 and 1; 1 for every other state.
  int IsDriverUsable();

 private:
  int Simple(DriverRequest request);

  DriverTransport* m_transport;
};

}  // namespace velmora
