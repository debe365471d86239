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
#include <thread>
#include <vector>

#include "framework/win32/handles.h"
#include "tools/vlifs95sim/stand_in_driver.h"

namespace robot {

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

 private:
  velmora::sim::Answer Serve(const std::uint8_t* request, std::size_t size);

  mutable std::mutex m_mutex;
  velmora::sim::StandInDriver m_driver;
  std::vector<int> m_requests;
  std::vector<Clock::time_point> m_times;
  framework::UniqueKernelHandle m_stop, m_ready, m_ended;
  bool m_bServing = false;
  std::thread m_thread;
};

}  // namespace robot
