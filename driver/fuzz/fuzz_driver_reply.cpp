// Any reply bytes of any length, given to every request: the channel and activation must not
// crash or read out of bounds, and what they make of the reply must be something they can say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "common/registry_names.h"
#include "driver/activation.h"
#include "driver/driver_checks.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

namespace {

class ReplayTransport : public velmora::DriverTransport {
 public:
  ReplayTransport(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  int Exchange(velmora::ExchangeBuffer& buffer) override {
    for (std::size_t i = 1; i < buffer.size(); ++i) {
      if (buffer[i] != 0) std::abort();  // every request goes out on a cleared buffer
    }
    return velmora::CopyReply(buffer, m_data, m_size);
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  ReplayTransport transport(data, size);
  CDriverChannel driver(transport);
  if (driver.IsActive() > 1 || driver.IsActive() < 0) std::abort();
  const int usable = driver.IsDriverUsable();
  if (usable != 0 && usable != 1) std::abort();
  DriverStatus status;
  const int version = CheckDriverVersion(driver, &status);
  if (version == 1 && (status.versionMajor != 4 || status.versionBuild != 370)) std::abort();

  static const std::set<int> kShown = {20011, 20012, 20013, 20014, 20017, 20020, 20021, 20026};
  for (int requested : {0, 1}) {
    MemoryRegistry registry;
    testing::RecordingPrompts prompts;
    const int result = SetActivation(driver, registry, prompts, requested);
    if (prompts.boxes.size() > 1) std::abort();
    for (const auto& box : prompts.boxes) {
      if (!kShown.count(box.id)) std::abort();
    }
    // The record is written only after an accepted change.
    if (registry.Find(kGeneralKey, kActivateStateValue) && result != 0) std::abort();
    if (result == 0 && !prompts.boxes.empty()) std::abort();
  }
  return 0;
}
