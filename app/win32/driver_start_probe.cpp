#include "app/win32/driver_start_probe.h"

#include <windows.h>

#include "driver/win32/driver_service_query.h"
#include "framework/win32/modal_run.h"

namespace velmora {

DriverServiceStatus CDriverStartProbe::QueryService() { return QueryDriverService(); }

void CDriverStartProbe::WaitBegins() {
  if (m_waitBegins) m_waitBegins();
}

bool CDriverStartProbe::Pause(std::uint32_t ms) {
  m_splash.KeepShowing();
  return framework::PumpMessagesFor(ms);
}

std::uint64_t CDriverStartProbe::NowMs() { return GetTickCount64(); }

}  // namespace velmora
