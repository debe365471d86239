#include "driver/driver_channel.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace velmora {

int CDriverChannel::SendRequest(ExchangeBuffer& buffer) {
  std::fill(buffer.begin() + 1, buffer.end(), 0);
  if (m_bActionTimedOut) return -1;
  const int result = m_transport->Exchange(buffer);
  if (result == kExchangeTimedOut && m_nActionDepth > 0) m_bActionTimedOut = true;
  return result == 0 ? 0 : -1;
}

DriverAction::DriverAction(CDriverChannel& channel) : m_channel(&channel) { ++m_channel->m_nActionDepth; }

void DriverAction::End() {
  if (!m_channel) return;
  if (--m_channel->m_nActionDepth == 0) m_channel->m_bActionTimedOut = false;
  m_channel = nullptr;
}

int CDriverChannel::QueryStatus(DriverStatus* status) {
  ExchangeBuffer buffer{};
  buffer[0] = kRequestQueryStatus;
  if (SendRequest(buffer) != 0) return -1;
  static_assert(std::is_trivially_copyable_v<DriverStatus>);
  std::memcpy(static_cast<void*>(status), &buffer[1], sizeof *status);
  return buffer[0];
}

int CDriverChannel::SendBareRequest(DriverRequest request) {
  ExchangeBuffer buffer{};
  buffer[0] = request;
  if (SendRequest(buffer) != 0) return -1;
  return buffer[0];
}

int CDriverChannel::Activate() { return SendBareRequest(kRequestActivate); }
int CDriverChannel::Deactivate() { return SendBareRequest(kRequestDeactivate); }
int CDriverChannel::NotifySettingsChanged() { return SendBareRequest(kRequestSettingsChanged); }

int CDriverChannel::IsActive() {
  DriverStatus status;
  if (QueryStatus(&status) != 0) return 0;
  return status.state == kStateActive ? 1 : 0;
}

int CDriverChannel::GetDriverState() {
  DriverStatus status;
  if (QueryStatus(&status) != 0) return kStateMissing;
  return status.state;
}

int CDriverChannel::IsDriverUsable() {
  const int state = GetDriverState();
  if (state >= kStateMissing && state <= kStateUnknown) return 0;
  return state == kStateDisabled ? 0 : 1;
}

}  // namespace velmora
