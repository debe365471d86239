#include <gtest/gtest.h>

#include "options/settings_notice.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;

class SettingsNoticeTest : public ::testing::Test {
 protected:
  // Right after an apply stored its values, or at a page activation: the notice behaves alike.
  bool Send() {
    return notice.SendIfPending([this] { ++requests; return driverAnswer; }, prompts, &sheet);
  }
  SettingsNotice notice;
  int requests = 0;
  int driverAnswer = 0;
  int sheet = 0;
  RecordingPrompts prompts;
};

TEST_F(SettingsNoticeTest, AnApplyWithChangesTellsTheDriverOnceRightAfterStoring) {
  notice.NoteApplyChecked(true);
  EXPECT_TRUE(notice.pending());
  EXPECT_TRUE(Send());  // the apply stored its values
  EXPECT_EQ(1, requests);
  EXPECT_FALSE(notice.pending());
  // Nothing left for the next page activation.
  EXPECT_FALSE(Send());
  EXPECT_EQ(1, requests);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsNoticeTest, AnApplyWithoutChangesSendsNothingAndKeepsAnEarlierNotice) {
  notice.NoteApplyChecked(false);
  EXPECT_FALSE(Send());
  EXPECT_FALSE(Send());
  EXPECT_EQ(0, requests);
  notice.NoteApplyChecked(true);  // a notice still waiting stays
  notice.NoteApplyChecked(false);
  EXPECT_TRUE(notice.pending());
  EXPECT_TRUE(Send());
  EXPECT_EQ(1, requests);
}

TEST_F(SettingsNoticeTest, ARefusalIsReportedOnceOwnedByTheSheetAndNotRetried) {
  driverAnswer = -1;
  notice.NoteApplyChecked(true);
  EXPECT_TRUE(Send());
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20022, prompts.boxes[0].id);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(&sheet, prompts.boxes[0].owner);
  EXPECT_FALSE(Send());
  EXPECT_FALSE(Send());
  EXPECT_EQ(1, requests);
  EXPECT_EQ(1u, prompts.boxes.size());
}

}  // namespace
}  // namespace velmora
