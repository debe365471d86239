// The integer reading never fails on any text, and whatever it accepts reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/integer_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = framework::ParseIntegerField(text);
  if (value && framework::ParseIntegerField(framework::FormatIntegerField(*value)) != value) std::abort();
  return 0;
}
