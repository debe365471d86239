#include <gtest/gtest.h>

#include "options/settings_notice.h"
#include "tests/doubles/recording_prompts.h"

namespace velmora {
namespace {

using testing::RecordingPrompts;

class SettingsNoticeTest : public ::testing::Test {
 protected:
  bool Send(SheetMoment moment) {
    return SendNoticeIfPending(&pending, moment, [this] { ++requests; return driverAnswer; }, prompts, &sheet);
  }
  int pending = 0;
  int requests = 0;
  int driverAnswer = 0;
  int sheet = 0;
  RecordingPrompts prompts;
};

TEST_F(SettingsNoticeTest, AnApplyWithChangesTellsTheDriverOnceRightAfterStoring) {
  NoteApplyChecked(&pending, true);
  EXPECT_EQ(1, pending);
  EXPECT_TRUE(Send(SheetMoment::kApplyStored));
  EXPECT_EQ(1, requests);
  EXPECT_EQ(0, pending);
  // Nothing left for the next page activation.
  EXPECT_FALSE(Send(SheetMoment::kPageActivated));
  EXPECT_EQ(1, requests);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsNoticeTest, AnApplyWithoutChangesSendsNothingAndKeepsAnEarlierNotice) {
  NoteApplyChecked(&pending, false);
  EXPECT_FALSE(Send(SheetMoment::kApplyStored));
  EXPECT_FALSE(Send(SheetMoment::kPageActivated));
  EXPECT_EQ(0, requests);
  pending = 1;  // a notice still waiting stays
  NoteApplyChecked(&pending, false);
  EXPECT_EQ(1, pending);
  EXPECT_TRUE(Send(SheetMoment::kPageActivated));
  EXPECT_EQ(1, requests);
}

TEST_F(SettingsNoticeTest, ARefusalIsReportedOnceOwnedByTheSheetAndNotRetried) {
  driverAnswer = -1;
  NoteApplyChecked(&pending, true);
  EXPECT_TRUE(Send(SheetMoment::kApplyStored));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(20022, prompts.boxes[0].id);
  EXPECT_EQ(0x10u, prompts.boxes[0].flags);
  EXPECT_EQ(&sheet, prompts.boxes[0].owner);
  EXPECT_FALSE(Send(SheetMoment::kPageActivated));
  EXPECT_FALSE(Send(SheetMoment::kApplyStored));
  EXPECT_EQ(1, requests);
  EXPECT_EQ(1u, prompts.boxes.size());
}

}  // namespace
}  // namespace velmora
