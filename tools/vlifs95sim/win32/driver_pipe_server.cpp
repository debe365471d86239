#include "tools/vlifs95sim/win32/driver_pipe_server.h"

#include <chrono>
#include <vector>

#include "framework/win32/handles.h"

namespace velmora::sim {
namespace {

using framework::UniqueFile;
using framework::UniqueKernelHandle;
using Clock = std::chrono::steady_clock;

constexpr DWORD kBufferBytes = 6132;
// A connected client gets this long to send its request.
constexpr DWORD kRequestWaitMs = 5000;
// An answered or stalled connection stays open until its client goes, at most this long.
constexpr auto kLingerLimit = std::chrono::seconds(30);

UniqueFile NewInstance(const std::string& name, bool first) {
  const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  return UniqueFile(CreateNamedPipeA(name.c_str(), openMode,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                     PIPE_UNLIMITED_INSTANCES, kBufferBytes, kBufferBytes, 0, nullptr));
}

// Starts waiting for a client on `pipe`; the event is set when one is connected.
bool StartConnect(HANDLE pipe, OVERLAPPED& ov) {
  ResetEvent(ov.hEvent);
  if (ConnectNamedPipe(pipe, &ov)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_PIPE_CONNECTED) {
    SetEvent(ov.hEvent);
    return true;
  }
  return error == ERROR_IO_PENDING;
}

// One overlapped read or write that ends early when `stop` is signalled or `waitMs` pass.
bool Transfer(HANDLE pipe, bool write, void* data, DWORD size, HANDLE stop, DWORD waitMs, DWORD* bytes) {
  UniqueKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event) return false;
  OVERLAPPED ov{};
  ov.hEvent = event.get();
  const BOOL started = write ? WriteFile(pipe, data, size, nullptr, &ov) : ReadFile(pipe, data, size, nullptr, &ov);
  if (!started && GetLastError() != ERROR_IO_PENDING && GetLastError() != ERROR_MORE_DATA) return false;
  if (!started && GetLastError() == ERROR_IO_PENDING) {
    HANDLE waits[2] = {event.get(), stop};
    if (WaitForMultipleObjects(2, waits, FALSE, waitMs) != WAIT_OBJECT_0) {
      CancelIoEx(pipe, &ov);
      GetOverlappedResult(pipe, &ov, bytes, TRUE);
      return false;
    }
  }
  if (GetOverlappedResult(pipe, &ov, bytes, FALSE)) return true;
  return !write && GetLastError() == ERROR_MORE_DATA;  // keep the first part of an oversized request
}

struct Lingering {
  UniqueFile pipe;
  Clock::time_point since;
};

// Drops connections whose client has gone (or that waited too long).
void Prune(std::vector<Lingering>& lingering) {
  const Clock::time_point now = Clock::now();
  for (auto it = lingering.begin(); it != lingering.end();) {
    DWORD available = 0;
    const bool gone = !PeekNamedPipe(it->pipe.get(), nullptr, 0, nullptr, &available, nullptr);
    if (gone || now - it->since > kLingerLimit) {
      it = lingering.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

bool CDriverPipeServer::Run(HANDLE stop, HANDLE ready) {
  UniqueKernelHandle connected(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  UniqueFile listening = NewInstance(m_strPipeName, true);
  if (!connected || !listening) return false;
  OVERLAPPED connectOv{};
  connectOv.hEvent = connected.get();
  if (!StartConnect(listening.get(), connectOv)) return false;
  if (ready) SetEvent(ready);

  std::vector<Lingering> lingering;
  std::vector<std::uint8_t> request(kBufferBytes);
  for (;;) {
    HANDLE waits[2] = {stop, connected.get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 200);
    Prune(lingering);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) continue;

    DWORD ignored = 0;
    const bool ok = GetOverlappedResult(listening.get(), &connectOv, &ignored, FALSE) != FALSE ||
                    GetLastError() == ERROR_PIPE_CONNECTED;
    UniqueFile client = std::move(listening);
    // The next instance listens before this client is answered.
    listening = NewInstance(m_strPipeName, false);
    connectOv = OVERLAPPED{};
    connectOv.hEvent = connected.get();
    if (!listening || !StartConnect(listening.get(), connectOv)) return false;
    if (!ok) continue;

    DWORD size = 0;
    if (!Transfer(client.get(), false, request.data(), kBufferBytes, stop, kRequestWaitMs, &size)) continue;
    Answer answer = m_handler(request.data(), size);
    if (!answer.stalled) {
      DWORD written = 0;
      if (!Transfer(client.get(), true, answer.reply.data(), static_cast<DWORD>(answer.reply.size()), stop,
                    kRequestWaitMs, &written)) {
        continue;
      }
    }
    // Closing at once could drop the answer before the client has read it; the connection
    // stays until the client closes its end.
    lingering.push_back({std::move(client), Clock::now()});
  }
}

}  // namespace velmora::sim
