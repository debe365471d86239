// The machine as the wait for a starting driver sees it (driver/driver_start_wait.h): the
// driver's channel, its service, and time passing with the start-up picture alive.
#pragma once
#include <functional>
#include <utility>

#include "driver/driver_start_wait.h"
#include "driver/win32/win32_driver_transport.h"

namespace velmora {

class CDriverStartProbe : public DriverStartProbe {
 public:
  CDriverStartProbe(const CWin32DriverTransport& transport, std::function<void()> waitBegins)
      : m_transport(transport), m_waitBegins(std::move(waitBegins)) {}

  bool DriverListens() override { return m_transport.Listening(); }
  DriverServiceStatus QueryService() override;
  void WaitBegins() override;
  bool Pause(std::uint32_t ms) override;
  std::uint64_t NowMs() override;

 private:
  const CWin32DriverTransport& m_transport;
  std::function<void()> m_waitBegins;
};

}  // namespace velmora
