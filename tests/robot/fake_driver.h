// A cache driver played by the test itself: serves the driver's pipe "\\.\pipe\VLIFS95" from a
// thread of the test process, answers like the real driver (see StandInDriver) and records
// every request it receives, so a test can check what the program asked and in which order.
//
//   robot::FakeDriver driver;                        // inactive (state 4), version 4.5.1.370
//   robot::FakeDriver driver({/*state*/ 3});          // any StandInSettings: state, version,
//                                                     //   refusals, stalls, short answers
//   driver.Update([](auto& s) { s.refusals[2] = -3; });  // change the script while serving
//   ... start Velmora.exe and drive it ...
//   EXPECT_EQ((std::vector<int>{1, 1, 2}), driver.Requests());
//
// Serving starts in the constructor (Serving() says whether the pipe could be had: false when
// another driver holds it) and ends in the destructor.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/stand_in_driver.h"
#include "tools/vlifs95sim/win32/driver_pipe_server.h"

namespace robot {

// One entry of a DACL as read back: trustee (a SID string such as "S-1-5-11"), allowed or
// denied, and the access mask.
struct PipeAce {
  std::string sid;
  bool allowed = false;
  DWORD mask = 0;
  bool operator==(const PipeAce& o) const { return sid == o.sid && allowed == o.allowed && mask == o.mask; }
};

// The DACL of the pipe `path` as a connected client reads it (GetSecurityInfo), in order, and
// the descriptor as SDDL in *sddl for messages. Empty when the pipe could not be opened or read.
std::vector<PipeAce> ReadPipeDacl(const char* path, std::string* sddl);

class FakeDriver {
 public:
  using Clock = std::chrono::steady_clock;

  explicit FakeDriver(velmora::sim::StandInSettings settings = {});
  ~FakeDriver();
  FakeDriver(const FakeDriver&) = delete;
  FakeDriver& operator=(const FakeDriver&) = delete;

  bool Serving() const { return m_bServing; }
  // The request codes received so far, in order, and when each arrived.
  std::vector<int> Requests() const;
  std::vector<Clock::time_point> RequestTimes() const;
  // The state the driver is in now (3 active, 4 inactive, or whatever it was told).
  int State() const;
  // Changes the script (state, version, refusals, stalls, short answers) while serving.
  void Update(const std::function<void(velmora::sim::StandInSettings&)>& change);
  // How often the server's accept loop has woken (see CDriverPipeServer::Wakes).
  unsigned long ServerWakes() const { return m_server.Wakes(); }

 private:
  velmora::sim::Answer Serve(const std::uint8_t* request, std::size_t size);

  mutable std::mutex m_mutex;
  velmora::sim::StandInDriver m_driver;
  velmora::sim::CDriverPipeServer m_server;
  std::vector<int> m_requests;
  std::vector<Clock::time_point> m_times;
  framework::UniqueKernelHandle m_stop, m_ready, m_ended;
  bool m_bServing = false;
  std::thread m_thread;
};

}  // namespace robot
