// The control channel to the cache driver: the four requests the program sends and the three
// questions derived from the status request. Every call builds a fresh, zeroed buffer, and
// every derived question makes its own status request. The only state is that of the user
// action in progress (DriverAction): a driver that let one of its exchanges time out is not
// waited for again within that action.
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
  // did not write can be read back as its answer. 0 when the exchange took place, else -1;
  // within an action whose driver already timed out, -1 at once without an exchange.
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
  friend class DriverAction;
  int SendBareRequest(DriverRequest request);

  DriverTransport* m_transport;
  int m_nActionDepth = 0;       // open DriverAction scopes
  bool m_bActionTimedOut = false;  // an exchange of the current action timed out
};

// One user action (a start-up until the palette shows or the command-line change ends, one
// toggle, one apply) waits at most one exchange limit in all for a driver that does not
// answer: after a time-out its later requests fail at once, as a failed channel does.
// Scopes nest; the outermost one decides, and the next action tries the driver again.
// Requests outside any action each wait their own limit.
class DriverAction {
 public:
  explicit DriverAction(CDriverChannel& channel);
  ~DriverAction() { End(); }
  DriverAction(const DriverAction&) = delete;
  DriverAction& operator=(const DriverAction&) = delete;

  // Ends the action before the scope does (the palette's own life is no part of start-up).
  void End();

 private:
  CDriverChannel* m_channel;
};

}  // namespace velmora
