// Serves the driver's named pipe: one request per connection, message mode, local clients only,
// every instance with the descriptor of pipe_security.h.
// A fresh listening instance is created as soon as a client connects, before that client is
// answered, so a quick next request never finds the pipe missing. Every client is served on one
// thread through a completion port, however many connect; one that says nothing, or does not
// go once answered, is dropped after a few seconds.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "tools/vlifs95sim/stand_in_driver.h"

namespace velmora::sim {

class CDriverPipeServer {
 public:
  using Handler = std::function<Answer(const std::uint8_t* request, std::size_t size)>;

  CDriverPipeServer(std::string pipeName, Handler handler) : m_strPipeName(std::move(pipeName)), m_handler(std::move(handler)) {}

  // Serves until `stop` is signalled; `ready` (optional) is signalled once the first instance
  // listens, after `holdingPipe` (optional) has run: the pipe is then this server's alone and no
  // client has been served yet. `startStep` (optional) is called as each step of the start is
  // done (the name claimed, the first instance listening), for a service's progress reports.
  // ERROR_SUCCESS once stopped; otherwise the Win32 error that ended or prevented serving, for
  // example ERROR_PIPE_BUSY when another server, of any account, has an instance of the pipe
  // (the name is claimed by the first instance itself: there is no other object to take
  // first), or CreateNamedPipe's own error.
  DWORD Run(HANDLE stop, HANDLE ready = nullptr, const std::function<void()>& holdingPipe = {},
            const std::function<void()>& startStep = {});

  // How often the accept loop has woken so far (a stop, a client, a connection's end): idle,
  // it stays put.
  unsigned long Wakes() const { return m_wakes; }

 private:
  std::string m_strPipeName;
  Handler m_handler;
  std::atomic<unsigned long> m_wakes{0};
};

}  // namespace velmora::sim
