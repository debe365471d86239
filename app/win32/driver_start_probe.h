// The machine as the wait for a starting driver sees it (driver/driver_start_wait.h): the
// driver's channel, its service, and time passing with the start-up picture alive.
#pragma once
#include <functional>
#include <utility>

#include "driver/driver_start_wait.h"
#include "driver/win32/win32_driver_transport.h"
#include "palette/win32/startup_splash.h"

namespace velmora {

class CDriverStartProbe : public DriverStartProbe {
 public:
  CDriverStartProbe(const CWin32DriverTransport& transport, CStartupPicture& splash, std::function<void()> waitBegins)
      : m_transport(transport), m_splash(splash), m_waitBegins(std::move(waitBegins)) {}

  bool DriverListens() override { return m_transport.Listening(); }
  DriverServiceStatus QueryService() override;
  void WaitBegins() override;
  bool Pause(std::uint32_t ms) override;
  std::uint64_t NowMs() override;

 private:
  const CWin32DriverTransport& m_transport;
  CStartupPicture& m_splash;  // kept showing while the wait lasts
  std::function<void()> m_waitBegins;
};

}  // namespace velmora
