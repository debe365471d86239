// The driver exchange on Windows: the device "\\.\VLIFS95" when the driver model provides it;
// otherwise the same buffer over the named pipe "\\.\pipe\VLIFS95" (message mode), which the
// stand-in driver and the tests serve.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>

#include "driver/driver_transport.h"

namespace velmora {

constexpr const char kDriverDevicePath[] = "\\\\.\\VLIFS95";
constexpr const char kDriverPipePath[] = "\\\\.\\pipe\\VLIFS95";

class CWin32DriverTransport : public DriverTransport {
 public:
  // A driver that does not answer within `limit` (connecting included) counts as failed.
  explicit CWin32DriverTransport(std::string devicePath = kDriverDevicePath, std::string pipePath = kDriverPipePath,
                                 std::chrono::milliseconds limit = std::chrono::seconds(5));

  int Exchange(ExchangeBuffer& buffer) override;
  // The device or the pipe exists now (a busy pipe exists too). Connects to neither.
  bool Listening() const;

 private:
  int ExchangeWithDevice(HANDLE device, ExchangeBuffer& buffer);
  int ExchangeOverPipe(ExchangeBuffer& buffer);

  std::string m_strDevicePath;
  std::string m_strPipePath;
  std::chrono::milliseconds m_limit;
};

}  // namespace velmora
