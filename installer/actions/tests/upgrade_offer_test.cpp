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
  // The action passes the folder on wide: a folder beyond the ANSI code page stays whole.
  EXPECT_EQ(L"C:\\D\u00f6rr\u6587\\UPGRADE.DAT", OfferMarkerPath(std::wstring(L"C:\\D\u00f6rr\u6587\\")));
}

}  // namespace
}  // namespace velmora::setup
