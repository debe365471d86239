#include "common/version_text.h"

#include <cstdio>

#include "resource.h"

namespace velmora {

std::string VersionText(int major, int minor, int release, int build) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d.%d.%d (%d)", major, minor, release, build);
  return buf;
}

std::string ClientVersionText() {
  return VersionText(VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_RELEASE, VELMORA_VERSION_BUILD);
}

}  // namespace velmora
