// The driver exchange on Windows: the device "\\.\VLIFS95" when the driver model provides it;
// otherwise the same buffer over the named pipe "\\.\pipe\VLIFS95" (message mode), which the
// stand-in driver and the tests serve. A pipe served by anyone but the installed driver service
// reads as no driver: nothing is sent to it.
#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "common/registry_names.h"
#include "driver/driver_start_wait.h"
#include "driver/driver_transport.h"
#include "framework/win32/handles.h"

namespace velmora {

constexpr const char kDriverDevicePath[] = "\\\\.\\VLIFS95";
// Only what the exchange uses: read and write data, and write attributes to set message read
// mode. GENERIC_WRITE or GENERIC_ALL would carry FILE_CREATE_PIPE_INSTANCE, which the driver's
// pipe grants nobody but administrators and the system: the open would be refused.
constexpr DWORD kDriverPipeAccess = FILE_READ_DATA | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

class CWin32DriverTransport : public DriverTransport {
 public:
  // A driver that does not answer within `limit` (connecting included) counts as failed.
  explicit CWin32DriverTransport(std::string devicePath = kDriverDevicePath, std::string pipePath = kDriverPipePath,
                                 std::chrono::milliseconds limit = std::chrono::seconds(5));

  int Exchange(ExchangeBuffer& buffer) override;
  // The device or the pipe exists now (a busy pipe exists too). Connects to neither.
  bool Listening() const;

 protected:
  // CreateFileA on the pipe; a seam for the tests, which check what is asked for.
  virtual HANDLE OpenPipe(const std::string& path, DWORD access, DWORD flags);
  // The driver service as the manager reports it; a seam for the tests, which play the service.
  virtual DriverServiceStatus QueryService();

 private:
  using Clock = std::chrono::steady_clock;
  framework::UniqueFile ConnectPipe(Clock::time_point deadline, bool* timedOut);
  int ExchangeWithDevice(HANDLE device, ExchangeBuffer& buffer);
  int ExchangeOverPipe(ExchangeBuffer& buffer);
  DriverServiceStatus KnownService(std::optional<std::uint32_t> server);

  std::string m_strDevicePath;
  std::string m_strPipePath;
  std::chrono::milliseconds m_limit;
  // The service manager's last answer and when it was given (see KnownService).
  std::optional<DriverServiceStatus> m_knownService;
  Clock::time_point m_serviceAsked;
};

}  // namespace velmora
