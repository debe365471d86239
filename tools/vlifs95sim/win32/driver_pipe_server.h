// Serves the driver's named pipe: one request per connection, message mode, local clients only.
// A fresh listening instance is created as soon as a client connects, before that client is
// answered, so a quick next request never finds the pipe missing.
#pragma once
#include <windows.h>

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
  // client has been served yet. False when the pipe cannot be created, for example because
  // another server has it.
  bool Run(HANDLE stop, HANDLE ready = nullptr, const std::function<void()>& holdingPipe = {});

 private:
  std::string m_strPipeName;
  Handler m_handler;
};

}  // namespace velmora::sim
