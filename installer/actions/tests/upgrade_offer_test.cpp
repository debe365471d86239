#include "installer/actions/upgrade_offer.h"

#include <gtest/gtest.h>

namespace velmora::setup {
namespace {

TEST(UpgradeOfferTest, TheMarkerLiesInTheInstallationDirectoryHoweverItEnds) {
  EXPECT_EQ("C:\\Program Files\\Nolvex\\Velmora\\UPGRADE.DAT", OfferMarkerPath("C:\\Program Files\\Nolvex\\Velmora\\"));
  EXPECT_EQ("C:\\Program Files\\Nolvex\\Velmora\\UPGRADE.DAT", OfferMarkerPath("C:\\Program Files\\Nolvex\\Velmora"));
  EXPECT_EQ("C:\\V\\UPGRADE.DAT", OfferMarkerPath("C:\\V\\\\"));
  // No directory at all: no path that could name a file elsewhere than the root of nothing.
  EXPECT_EQ("\\UPGRADE.DAT", OfferMarkerPath(""));
}

}  // namespace
}  // namespace velmora::setup
