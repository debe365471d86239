#include "tests/robot/fake_driver.h"

#include "tools/vlifs95sim/win32/driver_pipe_server.h"

namespace robot {

FakeDriver::FakeDriver(velmora::sim::StandInSettings settings)
    : m_driver(std::move(settings)),
      m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_ended(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  m_thread = std::thread([this] {
    velmora::sim::CDriverPipeServer server(
        "\\\\.\\pipe\\VLIFS95", [this](const std::uint8_t* request, std::size_t size) { return Serve(request, size); });
    server.Run(m_stop.get(), m_ready.get());
    SetEvent(m_ended.get());
  });
  // Either the pipe listens, or the server gave up (the pipe is someone else's).
  HANDLE waits[2] = {m_ready.get(), m_ended.get()};
  m_bServing = WaitForMultipleObjects(2, waits, FALSE, 10000) == WAIT_OBJECT_0;
}

FakeDriver::~FakeDriver() {
  SetEvent(m_stop.get());
  m_thread.join();
}

velmora::sim::Answer FakeDriver::Serve(const std::uint8_t* request, std::size_t size) {
  std::lock_guard<std::mutex> lock(m_mutex);
  velmora::sim::Answer answer = m_driver.Serve(request, size);
  m_requests.push_back(answer.request);
  m_times.push_back(Clock::now());
  return answer;
}

std::vector<int> FakeDriver::Requests() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

std::vector<FakeDriver::Clock::time_point> FakeDriver::RequestTimes() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_times;
}

int FakeDriver::State() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_driver.Settings().state;
}

void FakeDriver::Update(const std::function<void(velmora::sim::StandInSettings&)>& change) {
  std::lock_guard<std::mutex> lock(m_mutex);
  change(m_driver.Settings());
}

}  // namespace robot
