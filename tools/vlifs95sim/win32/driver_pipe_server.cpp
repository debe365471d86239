#include "tools/vlifs95sim/win32/driver_pipe_server.h"

#include <algorithm>
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/win32/pipe_security.h"

namespace velmora::sim {
namespace {

using framework::UniqueFile;
using framework::UniqueKernelHandle;

constexpr DWORD kBufferBytes = 6132;
// A connected client gets this long to send its request.
constexpr DWORD kRequestWaitMs = 5000;
// An answered or stalled connection stays open until its client goes, at most this long.
constexpr DWORD kLingerMs = 30000;

// Where and how instances are made: every one, the first included, with the same descriptor.
struct PipeIdentity {
  const std::string& name;
  SECURITY_ATTRIBUTES* security;
};

UniqueFile NewInstance(const PipeIdentity& pipe, bool first) {
  const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  return UniqueFile(CreateNamedPipeA(pipe.name.c_str(), openMode,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                     PIPE_UNLIMITED_INSTANCES, kBufferBytes, kBufferBytes, 0, pipe.security));
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
// set once a client is connected. The error is that of the instance that could not be had.
DWORD Listen(const PipeIdentity& pipe, bool first, Listener& listener) {
  DWORD lastError = ERROR_NO_DATA;
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (!listener.pipe) listener.pipe = NewInstance(pipe, first);
    if (!listener.pipe) return GetLastError();
    listener.event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!listener.event) return GetLastError();
    listener.ov = OVERLAPPED{};
    listener.ov.hEvent = listener.event.get();
    const BOOL done = ConnectNamedPipe(listener.pipe.get(), &listener.ov);
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    listener.connectedAtOnce = done || error == ERROR_PIPE_CONNECTED;
    if (error == ERROR_IO_PENDING) return ERROR_SUCCESS;
    if (listener.connectedAtOnce) {
      // No wait was started, so nothing will complete: the overlapped result is not to be asked.
      SetEvent(listener.event.get());
      return ERROR_SUCCESS;
    }
    // A client came and went before we listened (ERROR_NO_DATA): free the instance, listen again.
    lastError = error;
    DisconnectNamedPipe(listener.pipe.get());
  }
  return lastError;
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
  const DWORD error = GetLastError();
  // Another server has it (one of another account is seen as access denied): say so as a
  // client of that driver's pipe would be told.
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
    claim.reset();
    SetLastError(ERROR_PIPE_BUSY);
  }
  return claim;
}

}  // namespace

DWORD CDriverPipeServer::Run(HANDLE stop, HANDLE ready, const std::function<void()>& holdingPipe,
                             const std::function<void()>& startStep) {
  const UniqueKernelHandle claim = ClaimPipeName(m_strPipeName);
  if (!claim) return GetLastError();
  if (startStep) startStep();
  CPipeSecurity security;
  if (!security.Attributes()) return security.Error();
  const PipeIdentity pipe{m_strPipeName, security.Attributes()};
  // Set by each connection's thread as it ends, so ended threads are joined without a poll.
  const UniqueKernelHandle finished(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!finished) return GetLastError();
  Listener listener;
  if (const DWORD error = Listen(pipe, true, listener)) return error;
  if (startStep) startStep();
  if (holdingPipe) holdingPipe();
  if (ready) SetEvent(ready);

  // Each client is served on a thread of its own, so one that stalls or lingers holds up no other.
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::list<Worker> workers;
  std::mutex serving;
  DWORD error = ERROR_SUCCESS;
  // Idle, this waits without a time-out: only a stop, a client or an ended thread wakes it.
  while (error == ERROR_SUCCESS) {
    HANDLE waits[3] = {stop, listener.event.get(), finished.get()};
    const DWORD woke = WaitForMultipleObjects(3, waits, FALSE, INFINITE);
    ++m_wakes;
    ResetEvent(finished.get());  // before the look, so a thread ending now wakes us again
    for (auto it = workers.begin(); it != workers.end();) {
      if (*it->done) {
        it->thread.join();
        it = workers.erase(it);
      } else {
        ++it;
      }
    }
    if (woke == WAIT_OBJECT_0) break;
    if (woke == WAIT_OBJECT_0 + 2) continue;
    if (woke != WAIT_OBJECT_0 + 1) {
      error = GetLastError();
      break;
    }
    if (!Connected(listener)) {
      if (GetLastError() == ERROR_IO_INCOMPLETE) {
        Sleep(1);  // signalled early: keep listening
        continue;
      }
      // The client went before it was seen; listen on a fresh instance.
      listener.pipe.reset();
      error = Listen(pipe, false, listener);
      continue;
    }
    UniqueFile client = std::move(listener.pipe);
    // The next instance listens before this client is answered.
    error = Listen(pipe, false, listener);
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers.push_back({std::thread([client = std::move(client), stop, done, ended = finished.get(), &serving, this]() mutable {
                         ServeClient(std::move(client), stop, m_handler, serving);
                         *done = true;
                         SetEvent(ended);
                       }),
                       done});
  }
  SetEvent(stop);  // when listening failed, the workers end too
  for (Worker& w : workers) w.thread.join();
  return error;
}

}  // namespace velmora::sim
