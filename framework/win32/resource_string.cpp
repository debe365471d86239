#include "framework/win32/resource_string.h"

#include <vector>

#include "framework/win32/win_app.h"

namespace framework {

std::string LoadResourceString(UINT id, int bufferSize) {
  std::vector<char> buf(static_cast<std::size_t>(bufferSize), '\0');
  int n = LoadStringA(AfxGetInstanceHandle(), id, buf.data(), bufferSize);
  return n > 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : std::string();
}

}  // namespace framework
