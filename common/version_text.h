// The client's version as the About box and the upgrade prompt show it: "major.minor.release (build)".
#pragma once
#include <string>

namespace velmora {

std::string VersionText(int major, int minor, int release, int build);
// The program's own version, 4.5.1 (370).
std::string ClientVersionText();

}  // namespace velmora
