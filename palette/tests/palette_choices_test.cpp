// The palette's decisions: pictures for a state, the message after a toggle, which commands
// open the About box, the quit request, the start-up picture's ending messages, the version.
#include <gtest/gtest.h>

#include <string>

#include "common/version_text.h"
#include "palette/palette_choices.h"
#include "palette/splash_filter.h"

namespace velmora {
namespace {

TEST(PaletteChoicesTest, ActivatePicturesOfferTheOppositeOfTheState) {
  EXPECT_EQ(std::string("PALETTE_ACTIVATEU"), ActivatePictureNames(0).normal);
  EXPECT_EQ(std::string("PALETTE_ACTIVATED"), ActivatePictureNames(0).selected);
  EXPECT_EQ(1000u, ActivatePictureNames(0).spokenName);
  for (int state : {1, 3, -1}) {
    EXPECT_EQ(std::string("PALETTE_DEACTIVATEU"), ActivatePictureNames(state).normal) << state;
    EXPECT_EQ(std::string("PALETTE_DEACTIVATED"), ActivatePictureNames(state).selected) << state;
    EXPECT_EQ(1001u, ActivatePictureNames(state).spokenName) << state;
  }
}

TEST(PaletteChoicesTest, ToggleMessageOnlyWhenTheStateChanged) {
  EXPECT_EQ(110u, ToggleMessage(0, 1));
  EXPECT_EQ(111u, ToggleMessage(1, 0));
  EXPECT_EQ(0u, ToggleMessage(0, 0));
  EXPECT_EQ(0u, ToggleMessage(1, 1));
}

TEST(PaletteChoicesTest, AboutCommandsIgnoreTheLowFourBits) {
  EXPECT_TRUE(IsAboutCommand(0x0010));
  EXPECT_TRUE(IsAboutCommand(0x001F));
  EXPECT_FALSE(IsAboutCommand(0x0020));
  EXPECT_FALSE(IsAboutCommand(0x000F));
  EXPECT_FALSE(IsAboutCommand(0xF060));  // SC_CLOSE
  EXPECT_FALSE(IsAboutCommand(0x1010));
}

TEST(PaletteChoicesTest, QuitRequestNeedsBothParameters) {
  EXPECT_EQ(0x069Au, kQuitMessage);
  EXPECT_TRUE(IsQuitRequest(0x123, 0x543));
  EXPECT_FALSE(IsQuitRequest(0x123, 0x544));
  EXPECT_FALSE(IsQuitRequest(0x124, 0x543));
  EXPECT_FALSE(IsQuitRequest(0, 0));
  EXPECT_FALSE(IsQuitRequest(0x100000123ull, 0x543));
}

TEST(SplashFilterTest, PressesEndTheSplashReleasesAndMovesDoNot) {
  for (unsigned msg : {0x0100u, 0x0104u, 0x0201u, 0x0204u, 0x0207u, 0x00A1u, 0x00A4u, 0x00A7u}) {
    EXPECT_TRUE(SplashEndsOn(msg)) << std::hex << msg;
  }
  // Key and button releases, moves, characters, double-clicks, the timer, painting.
  for (unsigned msg : {0x0101u, 0x0105u, 0x0102u, 0x0200u, 0x0202u, 0x0203u, 0x0205u, 0x0208u,
                       0x00A0u, 0x00A2u, 0x00A3u, 0x0113u, 0x000Fu, 0x020Au}) {
    EXPECT_FALSE(SplashEndsOn(msg)) << std::hex << msg;
  }
}

TEST(VersionTextTest, PointsThenBuildInParentheses) {
  EXPECT_EQ("4.5.1 (370)", ClientVersionText());
  EXPECT_EQ("10.0.12 (-1)", VersionText(10, 0, 12, -1));
}

}  // namespace
}  // namespace velmora
