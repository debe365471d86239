#include "tools/vlifs95sim/win32/driver_pipe_server.h"

#include <algorithm>
#include <chrono>
#include <list>
#include <thread>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/win32/pipe_security.h"

namespace velmora::sim {
namespace {

using framework::UniqueFile;
using framework::UniqueKernelHandle;
using Clock = std::chrono::steady_clock;

constexpr DWORD kBufferBytes = 6132;
// A connected client gets this long to send its request, to read the answer, and then to go:
// whoever holds a connection and says nothing loses it.
constexpr std::chrono::milliseconds kIdleDrop(3000);
// A stall the driver was told to play keeps its client waiting as a hung driver would.
constexpr std::chrono::milliseconds kStallHold(30000);
// Connections served at once. Beyond, the next client waits until one is dropped.
constexpr std::size_t kMaxConnections = 128;
// Instances listening at once: while one that took a client is replaced, the other answers.
constexpr std::size_t kListeners = 2;

constexpr ULONG_PTR kPipeKey = 1;
constexpr ULONG_PTR kStopKey = 2;

// One pipe instance: listening for a client, then reading its request, answering, and waiting
// for it to go (closing at once could drop an answer the client has not read yet).
struct Connection {
  enum class Phase { Listening, Reading, Writing, Lingering };
  UniqueFile pipe;
  OVERLAPPED ov{};
  Phase phase = Phase::Listening;
  bool pending = false;    // an operation is under way: its completion will be queued
  bool cancelled = false;  // its deadline passed and it was cancelled
  Clock::time_point deadline = Clock::time_point::max();
  std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kBufferBytes);
  std::vector<std::uint8_t> reply;
};

// Completions are queued for an operation that succeeded, is pending or delivered part of an
// oversized message; for one that failed at once, none comes.
bool Queued(BOOL started) {
  const DWORD error = started ? ERROR_SUCCESS : GetLastError();
  return started || error == ERROR_IO_PENDING || error == ERROR_MORE_DATA;
}

class CServingLoop {
 public:
  CServingLoop(const std::string& name, SECURITY_ATTRIBUTES* security, const CDriverPipeServer::Handler& handler,
               std::atomic<unsigned long>& wakes)
      : m_strName(name), m_security(security), m_handler(handler), m_wakes(wakes) {}

  // Makes the first instance, which claims the name: it fails when any server, of any
  // account, has an instance of it (ERROR_PIPE_BUSY then).
  DWORD Open() {
    m_port.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    if (!m_port) return GetLastError();
    // This Wine lets a second creator add an instance despite the first-instance flag; a
    // server already listening is found out here first.
    if (WaitNamedPipeA(m_strName.c_str(), 1) || GetLastError() == ERROR_SEM_TIMEOUT) return ERROR_PIPE_BUSY;
    if (const DWORD error = Listen(true)) return error;
    return KeepListening();
  }

  // Serves until a packet with kStopKey comes; the error that ended serving otherwise.
  DWORD Serve() {
    for (;;) {
      DWORD bytes = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* ov = nullptr;
      const BOOL ok = GetQueuedCompletionStatus(m_port.get(), &bytes, &key, &ov, WaitMs());
      const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
      ++m_wakes;
      if (key == kStopKey) return ERROR_SUCCESS;
      if (ov) {
        const auto it = std::find_if(m_connections.begin(), m_connections.end(),
                                     [ov](const Connection& c) { return &c.ov == ov; });
        if (it != m_connections.end()) {
          it->pending = false;
          Advance(it, error, bytes);
        }
      } else if (error != WAIT_TIMEOUT) {
        return error;
      }
      CancelOverdue();
      if (const DWORD listenError = KeepListening()) return listenError;
    }
  }

  HANDLE Port() const { return m_port.get(); }

  // Cancels what is under way and waits for each cancellation, so no operation writes into a
  // connection after it is gone.
  ~CServingLoop() {
    for (Connection& c : m_connections) {
      if (c.pending) CancelIoEx(c.pipe.get(), &c.ov);
    }
    while (std::any_of(m_connections.begin(), m_connections.end(), [](const Connection& c) { return c.pending; })) {
      DWORD bytes = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* ov = nullptr;
      GetQueuedCompletionStatus(m_port.get(), &bytes, &key, &ov, INFINITE);
      for (Connection& c : m_connections) {
        if (&c.ov == ov) c.pending = false;
      }
    }
  }

  CServingLoop(const CServingLoop&) = delete;
  CServingLoop& operator=(const CServingLoop&) = delete;

 private:
  using Iterator = std::list<Connection>::iterator;

  DWORD Listen(bool first) {
    m_connections.emplace_front();
    const Iterator c = m_connections.begin();
    const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    c->pipe.reset(CreateNamedPipeA(m_strName.c_str(), openMode,
                                   PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                   PIPE_UNLIMITED_INSTANCES, kBufferBytes, kBufferBytes, 0, m_security));
    if (!c->pipe) {
      // On Windows the first-instance flag refuses a name someone else holds: access denied.
      const DWORD error = GetLastError();
      m_connections.erase(c);
      return first && (error == ERROR_ACCESS_DENIED || error == ERROR_PIPE_BUSY) ? ERROR_PIPE_BUSY : error;
    }
    if (!CreateIoCompletionPort(c->pipe.get(), m_port.get(), kPipeKey, 0)) {
      const DWORD error = GetLastError();
      m_connections.erase(c);
      return error;
    }
    ++m_listening;
    return Connect(c);
  }

  DWORD Connect(Iterator c) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      c->ov = OVERLAPPED{};
      const BOOL started = ConnectNamedPipe(c->pipe.get(), &c->ov);
      const DWORD error = started ? ERROR_SUCCESS : GetLastError();
      if (Queued(started)) {
        c->pending = true;
        return ERROR_SUCCESS;
      }
      if (error == ERROR_PIPE_CONNECTED) {  // came before we listened: no completion follows
        Advance(c, ERROR_SUCCESS, 0);
        return ERROR_SUCCESS;
      }
      if (error != ERROR_NO_DATA) return error;
      DisconnectNamedPipe(c->pipe.get());  // came and went before we listened: listen again
    }
    return ERROR_NO_DATA;
  }

  // A connection's operation ended with `error`: on to its next step, or closed.
  void Advance(Iterator c, DWORD error, DWORD bytes) {
    switch (c->phase) {
      case Connection::Phase::Listening:
        --m_listening;
        if (error != ERROR_SUCCESS) return Close(c);
        c->phase = Connection::Phase::Reading;
        return Start(c, false, c->buffer.data(), kBufferBytes, kIdleDrop);
      case Connection::Phase::Reading: {
        // The first part of an oversized request is taken, as the driver's buffer would.
        if (error != ERROR_SUCCESS && error != ERROR_MORE_DATA) return Close(c);
        Answer answer = m_handler(c->buffer.data(), bytes);
        if (answer.stalled) {
          c->phase = Connection::Phase::Lingering;
          return Start(c, false, c->buffer.data(), 1, kStallHold);
        }
        c->reply = std::move(answer.reply);
        c->phase = Connection::Phase::Writing;
        return Start(c, true, c->reply.data(), static_cast<DWORD>(c->reply.size()), kIdleDrop);
      }
      case Connection::Phase::Writing:
        if (error != ERROR_SUCCESS) return Close(c);
        c->phase = Connection::Phase::Lingering;
        return Start(c, false, c->buffer.data(), 1, kIdleDrop);
      case Connection::Phase::Lingering: return Close(c);
    }
  }

  void Start(Iterator c, bool write, void* data, DWORD size, std::chrono::milliseconds limit) {
    c->ov = OVERLAPPED{};
    c->cancelled = false;
    c->deadline = Clock::now() + limit;
    const BOOL started = write ? WriteFile(c->pipe.get(), data, size, nullptr, &c->ov)
                               : ReadFile(c->pipe.get(), data, size, nullptr, &c->ov);
    if (Queued(started)) {
      c->pending = true;
    } else {
      Close(c);
    }
  }

  void Close(Iterator c) { m_connections.erase(c); }

  // Someone always listens while there is room: the next client never finds the pipe missing,
  // and the name is never left free for another server to take.
  DWORD KeepListening() {
    while (m_listening < kListeners && m_connections.size() < kMaxConnections) {
      if (const DWORD error = Listen(false)) return error;
    }
    return ERROR_SUCCESS;
  }

  void CancelOverdue() {
    const Clock::time_point now = Clock::now();
    for (Connection& c : m_connections) {
      if (c.pending && !c.cancelled && c.phase != Connection::Phase::Listening && c.deadline <= now) {
        c.cancelled = true;
        CancelIoEx(c.pipe.get(), &c.ov);  // its completion, aborted, closes it
      }
    }
  }

  // Idle (no client connected), the wait has no time-out: only a client or a stop wakes it.
  DWORD WaitMs() const {
    Clock::time_point next = Clock::time_point::max();
    for (const Connection& c : m_connections) {
      if (c.pending && !c.cancelled && c.phase != Connection::Phase::Listening) next = std::min(next, c.deadline);
    }
    if (next == Clock::time_point::max()) return INFINITE;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
    return left > 0 ? static_cast<DWORD>(left) + 1 : 0;
  }

  const std::string& m_strName;
  SECURITY_ATTRIBUTES* m_security;
  const CDriverPipeServer::Handler& m_handler;
  std::atomic<unsigned long>& m_wakes;
  UniqueKernelHandle m_port;
  std::list<Connection> m_connections;  // stable addresses: the system writes into each one's OVERLAPPED
  std::size_t m_listening = 0;  // connections in the listening phase
};

}  // namespace

DWORD CDriverPipeServer::Run(HANDLE stop, HANDLE ready, const std::function<void()>& holdingPipe,
                             const std::function<void()>& startStep) {
  CPipeSecurity security;
  if (!security.Attributes()) return security.Error();
  CServingLoop loop(m_strPipeName, security.Attributes(), m_handler, m_wakes);
  if (const DWORD error = loop.Open()) return error;
  if (startStep) startStep();
  if (holdingPipe) holdingPipe();
  if (ready) SetEvent(ready);

  // All clients are served on this thread; the one more turns a stop into a packet for it.
  const UniqueKernelHandle leaving(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!leaving) return GetLastError();
  std::thread stopper([stop, leave = leaving.get(), port = loop.Port()] {
    HANDLE waits[2] = {stop, leave};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
      PostQueuedCompletionStatus(port, 0, kStopKey, nullptr);
    }
  });
  const DWORD error = loop.Serve();
  SetEvent(leaving.get());
  stopper.join();
  return error;
}

}  // namespace velmora::sim
