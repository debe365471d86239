// The one exchange with the cache driver, as a port: a 6132-byte buffer goes out with the
// request code in word 0 and comes back with the driver's answer written over it in place.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr std::size_t kExchangeWords = 1533;
constexpr std::size_t kExchangeBytes = kExchangeWords * 4;  // 6132

using ExchangeBuffer = std::array<std::int32_t, kExchangeWords>;

// Exchange's result when the driver did not answer within the limit; any other failure is -1.
constexpr int kExchangeTimedOut = -2;

class DriverTransport {
 public:
  virtual ~DriverTransport() = default;
  // 0 when the exchange took place (whatever the driver answered); kExchangeTimedOut when the
  // driver did not answer in time; -1 when it failed otherwise.
  virtual int Exchange(ExchangeBuffer& buffer) = 0;
};

// Copies a reply of `size` bytes over the start of the buffer, as the driver would have
// written it in place; bytes beyond the buffer are dropped. A reply too short to carry the
// result word is no answer at all: -1, buffer untouched. Otherwise 0.
int CopyReply(ExchangeBuffer& buffer, const void* reply, std::size_t size);

}  // namespace velmora
