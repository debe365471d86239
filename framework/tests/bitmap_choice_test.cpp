// A bitmap button's picture for an item state: pressed, focused, disabled, else normal,
// each only when that picture is loaded.
#include <gtest/gtest.h>

#include "framework/bitmap_choice.h"

namespace framework {
namespace {

TEST(BitmapChoiceTest, PreferenceOrderWhenAllPicturesAreLoaded) {
  const bool all[4] = {true, true, true, true};
  EXPECT_EQ(ButtonPicture::Normal, ChooseButtonPicture({}, all));
  EXPECT_EQ(ButtonPicture::Selected, ChooseButtonPicture({true, true, true}, all));
  EXPECT_EQ(ButtonPicture::Focus, ChooseButtonPicture({false, true, true}, all));
  EXPECT_EQ(ButtonPicture::Disabled, ChooseButtonPicture({false, false, true}, all));
}

TEST(BitmapChoiceTest, MissingPicturesFallThroughToTheNextCase) {
  // The palette's buttons: normal and selected only.
  const bool palette[4] = {true, true, false, false};
  EXPECT_EQ(ButtonPicture::Normal, ChooseButtonPicture({false, true, false}, palette));
  EXPECT_EQ(ButtonPicture::Normal, ChooseButtonPicture({false, false, true}, palette));
  EXPECT_EQ(ButtonPicture::Selected, ChooseButtonPicture({true, true, false}, palette));
  // Pressed and focused without a selected picture: the focus picture.
  const bool noSelected[4] = {true, false, true, true};
  EXPECT_EQ(ButtonPicture::Focus, ChooseButtonPicture({true, true, true}, noSelected));
  const bool onlyDisabled[4] = {true, false, false, true};
  EXPECT_EQ(ButtonPicture::Disabled, ChooseButtonPicture({true, true, true}, onlyDisabled));
}

}  // namespace
}  // namespace framework
