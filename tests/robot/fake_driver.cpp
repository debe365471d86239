#include "tests/robot/fake_driver.h"

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace robot {
namespace {

template <typename T>
using LocalPtr = framework::UniqueLocal<T>;

}  // namespace

std::vector<PipeAce> ReadPipeDacl(const char* path, std::string* sddl) {
  framework::UniqueFile pipe(CreateFileA(path, READ_CONTROL | FILE_READ_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!pipe) return {};
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetSecurityInfo(pipe.get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr, &raw) !=
      ERROR_SUCCESS) {
    return {};
  }
  const LocalPtr<void> descriptor(raw);
  char* text = nullptr;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(raw, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                           nullptr)) {
    *sddl = LocalPtr<char>(text).get();
  }
  std::vector<PipeAce> aces;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) return {};
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    // Allowed and denied entries share one layout: header, mask, the SID's first word.
    const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    char* sid = nullptr;
    if (!ConvertSidToStringSidA(const_cast<DWORD*>(&entry->SidStart), &sid)) return {};
    aces.push_back({LocalPtr<char>(sid).get(), header->AceType == ACCESS_ALLOWED_ACE_TYPE, entry->Mask});
  }
  return aces;
}

FakeDriver::FakeDriver(velmora::sim::StandInSettings settings)
    : m_driver(std::move(settings)),
      m_server("\\\\.\\pipe\\VLIFS95", [this](const std::uint8_t* request, std::size_t size) { return Serve(request, size); }),
      m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_ended(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  m_thread = std::thread([this] {
    m_server.Run(m_stop.get(), m_ready.get());
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
