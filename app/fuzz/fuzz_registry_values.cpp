// Registry values of any type, size and content, as another program may have left them:
// every typed read must answer with a code, never read or write out of bounds, and hand back
// only terminated text that fits its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/install_dir.h"
#include "common/registry_names.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint32_t type = data[0] % 12;  // REG_NONE .. REG_QWORD and a few unknown ones
  const std::uint32_t bufferSize = data[1] % 64 == 0 ? 260 : data[1] % 64;
  const std::uint8_t* bytes = data + 2;
  const auto n = static_cast<std::uint32_t>(size - 2);

  velmora::MemoryRegistry reg;
  const char* key = "Software\\Nolvex\\Velmora";
  reg.WriteValue(key, "InstalledDirectory", type, bytes, n);

  std::uint32_t dword = 0xA5A5A5A5u;
  const std::int32_t rc = reg.ReadDword(key, "InstalledDirectory", &dword);
  if (rc == velmora::kErrorSuccess && (type != velmora::kRegDword || n != 4)) std::abort();
  if (rc != velmora::kErrorSuccess && dword != 0xA5A5A5A5u) std::abort();

  // A heap buffer of exactly the declared size, so an overrun is caught.
  std::vector<char> buf(bufferSize, 'x');
  std::uint32_t got = bufferSize;
  if (reg.ReadString(key, "InstalledDirectory", buf.data(), &got) == velmora::kErrorSuccess) {
    if (type != velmora::kRegSz || got == 0 || got > bufferSize) std::abort();
    if (std::memchr(buf.data(), '\0', got) == nullptr) std::abort();
  } else if (buf[0] != '\0') {
    std::abort();
  }

  velmora::testing::FakeSystem sys;
  const std::string cwd = "C:\\WORK";
  sys.currentDirectory = &cwd;
  velmora::testing::RecordingPrompts prompts;
  const std::string dir = velmora::LoadInstallDir(reg, sys, prompts);
  if (dir.size() >= velmora::kPathBufferSize || !prompts.boxes.empty()) std::abort();
  if (dir != cwd && !dir.empty() && dir.back() == '\\') std::abort();
  return 0;
}
