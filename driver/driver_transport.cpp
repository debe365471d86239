#include "driver/driver_transport.h"

#include <algorithm>
#include <cstring>

namespace velmora {

int CopyReply(ExchangeBuffer& buffer, const void* reply, std::size_t size) {
  if (size < sizeof(std::int32_t)) return -1;
  std::memcpy(buffer.data(), reply, std::min(size, kExchangeBytes));
  return 0;
}

}  // namespace velmora
