#include "installer/actions/upgrade_offer.h"

#include <string_view>

#include "common/registry_names.h"

namespace velmora::setup {
namespace {

template <typename Text>
Text MarkerPath(Text dir) {
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  dir.push_back('\\');
  const std::string_view name(kUpgradeMarkerName);  // ASCII: each character widens as it is
  dir.append(name.begin(), name.end());
  return dir;
}

}  // namespace

std::string OfferMarkerPath(const std::string& installDir) { return MarkerPath(installDir); }
std::wstring OfferMarkerPath(const std::wstring& installDir) { return MarkerPath(installDir); }

}  // namespace velmora::setup
