// A driver transport for native tests: answers like the real driver (StandInDriver) and records
// every request code, in order. The channel itself can be made to fail for chosen requests, as
// when the device cannot be opened or the driver never answers.
#pragma once
#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "driver/driver_transport.h"
#include "tools/vlifs95sim/stand_in_driver.h"

namespace velmora::testing {

class ScriptedDriver : public DriverTransport {
 public:
  explicit ScriptedDriver(sim::StandInSettings settings = {}) : driver(std::move(settings)) {}

  int Exchange(ExchangeBuffer& buffer) override {
    const std::int32_t code = buffer[0];
    requests.push_back(code);
    // What the driver found in the buffer, words it was not sent included.
    received.push_back(buffer);
    if (beforeAnswer) beforeAnswer(*this, code);
    if (missing || failOn.count(code)) return -1;
    sim::Answer answer = driver.Serve(reinterpret_cast<const std::uint8_t*>(buffer.data()), kExchangeBytes);
    if (answer.stalled) return kExchangeTimedOut;  // the limit passed without an answer
    return CopyReply(buffer, answer.reply.data(), answer.reply.size());
  }

  sim::StandInSettings& Settings() { return driver.Settings(); }

  sim::StandInDriver driver;
  bool missing = false;            // no driver at all: every exchange fails
  std::set<std::int32_t> failOn;   // exchanges of these request codes fail
  std::function<void(ScriptedDriver&, std::int32_t)> beforeAnswer;  // e.g. change state between requests
  std::vector<std::int32_t> requests;
  std::vector<ExchangeBuffer> received;
};

}  // namespace velmora::testing
