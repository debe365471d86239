#include "tools/vlifs95sim/win32/driver_pipe_server.h"

#include <algorithm>
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/win32/handles.h"

namespace velmora::sim {
namespace {

using framework::UniqueFile;
using framework::UniqueKernelHandle;

constexpr DWORD kBufferBytes = 6132;
// A connected client gets this long to send its request.
constexpr DWORD kRequestWaitMs = 5000;
// An answered or stalled connection stays open until its client goes, at most this long.
constexpr DWORD kLingerMs = 30000;

UniqueFile NewInstance(const std::string& name, bool first) {
  const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  return UniqueFile(CreateNamedPipeA(name.c_str(), openMode,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                     PIPE_UNLIMITED_INSTANCES, kBufferBytes, kBufferBytes, 0, nullptr));
}

// A pipe instance waiting for a client. Each wait has an event of its own, so a late signal
// from an earlier attempt can never pass for a connection.
struct Listener {
  UniqueFile pipe;
  UniqueKernelHandle event;
  OVERLAPPED ov{};
  bool connectedAtOnce = false;  // the client came before the wait began
};

// Makes `listener` an instance that waits for a client (creating it when empty); its event is
// set once a client is connected. False only when no instance can be had.
bool Listen(const std::string& name, bool first, Listener& listener) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (!listener.pipe) listener.pipe = NewInstance(name, first);
    listener.event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!listener.pipe || !listener.event) return false;
    listener.ov = OVERLAPPED{};
    listener.ov.hEvent = listener.event.get();
    const BOOL done = ConnectNamedPipe(listener.pipe.get(), &listener.ov);
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    listener.connectedAtOnce = done || error == ERROR_PIPE_CONNECTED;
    if (error == ERROR_IO_PENDING) return true;
    if (listener.connectedAtOnce) {
      // No wait was started, so nothing will complete: the overlapped result is not to be asked.
      SetEvent(listener.event.get());
      return true;
    }
    // A client came and went before we listened (ERROR_NO_DATA): free the instance, listen again.
    DisconnectNamedPipe(listener.pipe.get());
  }
  return false;
}

// True when the listener's client is connected (a connection made before the wait counts).
bool Connected(Listener& listener) {
  if (listener.connectedAtOnce) return true;
  DWORD ignored = 0;
  return GetOverlappedResult(listener.pipe.get(), &listener.ov, &ignored, FALSE) != FALSE;
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

// Serves one connected client: its request, the answer, then waits until the client has gone,
// since closing at once could drop an answer the client has not read yet.
void ServeClient(UniqueFile client, HANDLE stop, const CDriverPipeServer::Handler& handler, std::mutex& serving) {
  std::vector<std::uint8_t> request(kBufferBytes);
  DWORD size = 0;
  if (!Transfer(client.get(), false, request.data(), kBufferBytes, stop, kRequestWaitMs, &size)) return;
  Answer answer;
  {
    std::lock_guard<std::mutex> lock(serving);
    answer = handler(request.data(), size);
  }
  if (!answer.stalled) {
    DWORD written = 0;
    if (!Transfer(client.get(), true, answer.reply.data(), static_cast<DWORD>(answer.reply.size()), stop,
                  kRequestWaitMs, &written)) {
      return;
    }
  }
  std::uint8_t more = 0;
  DWORD ignored = 0;
  Transfer(client.get(), false, &more, 1, stop, kLingerMs, &ignored);
}

// One server per pipe name, across sessions (a service and a console program alike). The pipe's
// own first-instance flag says the same on Windows, but this Wine ignores it.
UniqueKernelHandle ClaimPipeName(const std::string& name) {
  std::string object = name;  // a kernel object's name holds no backslash after its namespace
  std::replace(object.begin(), object.end(), '\\', '_');
  object = "Global\\VelmoraDriverPipe" + object;
  UniqueKernelHandle claim(CreateMutexA(nullptr, FALSE, object.c_str()));
  if (claim && GetLastError() == ERROR_ALREADY_EXISTS) claim.reset();
  if (!claim) SetLastError(ERROR_PIPE_BUSY);
  return claim;
}

}  // namespace

bool CDriverPipeServer::Run(HANDLE stop, HANDLE ready, const std::function<void()>& holdingPipe) {
  const UniqueKernelHandle claim = ClaimPipeName(m_strPipeName);
  if (!claim) return false;
  Listener listener;
  if (!Listen(m_strPipeName, true, listener)) return false;
  if (holdingPipe) holdingPipe();
  if (ready) SetEvent(ready);

  // Each client is served on a thread of its own, so one that stalls or lingers holds up no other.
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::list<Worker> workers;
  std::mutex serving;
  bool listening = true;
  while (listening) {
    HANDLE waits[2] = {stop, listener.event.get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 200);
    for (auto it = workers.begin(); it != workers.end();) {
      if (*it->done) {
        it->thread.join();
        it = workers.erase(it);
      } else {
        ++it;
      }
    }
    if (woke == WAIT_OBJECT_0) break;
    if (woke != WAIT_OBJECT_0 + 1) continue;
    if (!Connected(listener)) {
      if (GetLastError() == ERROR_IO_INCOMPLETE) {
        Sleep(1);  // signalled early: keep listening
        continue;
      }
      // The client went before it was seen; listen on a fresh instance.
      listener.pipe.reset();
      listening = Listen(m_strPipeName, false, listener);
      continue;
    }
    UniqueFile client = std::move(listener.pipe);
    // The next instance listens before this client is answered.
    listening = Listen(m_strPipeName, false, listener);
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers.push_back({std::thread([client = std::move(client), stop, done, &serving, this]() mutable {
                         ServeClient(std::move(client), stop, m_handler, serving);
                         *done = true;
                       }),
                       done});
  }
  SetEvent(stop);  // when listening failed, the workers end too
  for (Worker& w : workers) w.thread.join();
  return listening;
}

}  // namespace velmora::sim
