#include "installer/actions/upgrade_offer.h"

namespace velmora::setup {

std::string OfferMarkerPath(const std::string& installDir) {
  std::string dir = installDir;
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  return dir + "\\UPGRADE.DAT";
}

}  // namespace velmora::setup
