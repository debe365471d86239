#include "driver/win32/win32_driver_transport.h"

#include <utility>

#include "driver/pipe_server_identity.h"
#include "driver/win32/driver_service_query.h"
#include "framework/win32/handles.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

DWORD MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

}  // namespace

HANDLE CWin32DriverTransport::OpenPipe(const std::string& path, DWORD access, DWORD flags) {
  return CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING, flags, nullptr);
}

DriverServiceStatus CWin32DriverTransport::QueryService() { return QueryDriverService(); }

// Each question to the service manager is a round trip to another process that costs more than
// the exchange itself, and a command-line start makes several exchanges. So an answer serves for
// a few seconds; it is asked again at once where the server is not the process it named (the
// service started again since, or another server).
DriverServiceStatus CWin32DriverTransport::KnownService(std::optional<std::uint32_t> server) {
  constexpr auto kAnswerLife = std::chrono::seconds(10);
  const Clock::time_point now = Clock::now();
  const bool fresh = m_knownService && now - m_serviceAsked < kAnswerLife;
  if (!fresh || (m_knownService->installed && server != m_knownService->processId)) {
    m_knownService = QueryService();
    m_serviceAsked = now;
  }
  return *m_knownService;
}

// Opens the pipe, waiting for a busy one until the deadline (*timedOut tells that one from
// other failures). A pipe that does not exist means no driver is running: that fails at once.
framework::UniqueFile CWin32DriverTransport::ConnectPipe(Clock::time_point deadline, bool* timedOut) {
  const std::string& path = m_strPipePath;
  for (;;) {
    // Identification only: the serving process must not act in our name.
    framework::UniqueFile pipe(OpenPipe(path, kDriverPipeAccess,
                                        FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION));
    if (pipe) return pipe;
    if (GetLastError() != ERROR_PIPE_BUSY) return {};
    const DWORD left = MillisLeft(deadline);
    if (left == 0 || !WaitNamedPipeA(path.c_str(), left)) {
      // Still busy when the limit passed: the driver did not take us in time.
      *timedOut = left == 0 || GetLastError() == ERROR_SEM_TIMEOUT || MillisLeft(deadline) == 0;
      return {};
    }
  }
}

namespace {

// One overlapped pipe operation, bounded by the deadline. On time-out the operation is
// cancelled and its end awaited, so the buffer is never written after we return.
bool Complete(HANDLE pipe, OVERLAPPED& ov, BOOL started, Clock::time_point deadline, DWORD* bytes, bool* timedOut) {
  if (!started) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING && error != ERROR_MORE_DATA) return false;
    if (error == ERROR_IO_PENDING && WaitForSingleObject(ov.hEvent, MillisLeft(deadline)) != WAIT_OBJECT_0) {
      CancelIoEx(pipe, &ov);
      GetOverlappedResult(pipe, &ov, bytes, TRUE);
      *timedOut = true;
      return false;
    }
  }
  if (GetOverlappedResult(pipe, &ov, bytes, FALSE)) return true;
  // A reply longer than the buffer still delivers its first part, as in-place writing would.
  return GetLastError() == ERROR_MORE_DATA;
}

}  // namespace

CWin32DriverTransport::CWin32DriverTransport(std::string devicePath, std::string pipePath,
                                             std::chrono::milliseconds limit)
    : m_strDevicePath(std::move(devicePath)), m_strPipePath(std::move(pipePath)), m_limit(limit) {}

int CWin32DriverTransport::Exchange(ExchangeBuffer& buffer) {
  // The driver expects exactly this open: no access rights, no sharing, disposition 0.
  HANDLE device = CreateFileA(m_strDevicePath.c_str(), 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (device != INVALID_HANDLE_VALUE) return ExchangeWithDevice(device, buffer);
  return ExchangeOverPipe(buffer);
}

int CWin32DriverTransport::ExchangeWithDevice(HANDLE device, ExchangeBuffer& buffer) {
  // The driver answers in place in the whole buffer; the sizes declared are the request word.
  DWORD bytes = 0;
  const BOOL done = DeviceIoControl(device, 3, buffer.data(), 4, buffer.data(), 4, &bytes, nullptr);
  const BOOL closed = CloseHandle(device);
  return done && closed ? 0 : -1;
}

int CWin32DriverTransport::ExchangeOverPipe(ExchangeBuffer& buffer) {
  const Clock::time_point deadline = Clock::now() + m_limit;
  bool timedOut = false;
  framework::UniqueFile pipe = ConnectPipe(deadline, &timedOut);
  if (!pipe) return timedOut ? kExchangeTimedOut : -1;
  // Asked after connecting, so the process asked about is the one that answers.
  ULONG server = 0;
  const bool serverKnown = GetNamedPipeServerProcessId(pipe.get(), &server) != FALSE;
  const std::optional<std::uint32_t> serverId = serverKnown ? std::optional<std::uint32_t>(server) : std::nullopt;
  if (!PipeServerIsTheDriver(KnownService(serverId), serverId)) {
    return -1;
  }
  DWORD mode = PIPE_READMODE_MESSAGE;
  if (!SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr)) return -1;

  framework::UniqueKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event) return -1;
  // Request out and answer in as one transaction (one call into the system, like
  // CallNamedPipe), bounded by our own limit. The answer lands apart, so a failed exchange
  // leaves the buffer as it was.
  ExchangeBuffer reply{};
  OVERLAPPED ov{};
  ov.hEvent = event.get();
  DWORD bytes = 0;
  const BOOL started = TransactNamedPipe(pipe.get(), buffer.data(), static_cast<DWORD>(kExchangeBytes), reply.data(),
                                         static_cast<DWORD>(kExchangeBytes), &bytes, &ov);
  if (!Complete(pipe.get(), ov, started, deadline, &bytes, &timedOut)) return timedOut ? kExchangeTimedOut : -1;
  return CopyReply(buffer, reply.data(), bytes);
}

bool CWin32DriverTransport::Listening() const {
  // The device answers the exchange's own open, or nothing does.
  framework::UniqueFile device(CreateFileA(m_strDevicePath.c_str(), 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (device) return true;
  // Returns at once when no instance exists; a free or a busy instance means a server listens.
  if (WaitNamedPipeA(m_strPipePath.c_str(), 1)) return true;
  return GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_BAD_PATHNAME;
}

}  // namespace velmora
