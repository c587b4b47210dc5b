#include "app/main_ids.h"
#include "app/window_layout.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
// Rectangles as the layout table writes them: x, y, width, height.
QRect R(int x, int y, int w, int h) {
  return QRect(x, y, w, h);
}
}  // namespace

TEST(WindowLayout, minimumWindowWithTheCalendarShown) {
  // Client size of a 730 x 500 window with its 3-pixel border.
  const int w = 724, h = 494;
  const auto layout = WindowLayout(w, h, DefaultCalendarRect());
  // Calendar (10,60)-(188,202): E=10, T=60, R=188, B=202, CW=178, X0=191.
  EXPECT_EQ(PlacementOf(layout, ids::kClose), R(w - 21, 3, 18, 18));
  EXPECT_EQ(PlacementOf(layout, ids::kMinimize), R(w - 84, 3, 18, 18));
  EXPECT_EQ(PlacementOf(layout, ids::kShowConfig), R(w - 375, 31, 75, 24));
  EXPECT_EQ(PlacementOf(layout, ids::kTitleLine), R(12, h - 19, w - 44, 18));
  EXPECT_EQ(PlacementOf(layout, ids::kCalendarSwitch), R(w - 30, h - 20, 18, 18));
  EXPECT_EQ(PlacementOf(layout, ids::kClock), R(10, 86, 178, 116));
  EXPECT_EQ(PlacementOf(layout, ids::kSearchGroup), R(10, 205, 178, h - 202 - 23));
  EXPECT_EQ(PlacementOf(layout, ids::kFind), R(101, 305, 77, 24));
  EXPECT_EQ(PlacementOf(layout, ids::kSearchResults), R(15, 378, 168, h - 202 - 199));
  // "Has picture" and "Actived" keep their row while a result is listed.
  for (int check : {ids::kHasPicture, ids::kActived})
    for (int listed : {ids::kResultsLabel, ids::kCloseResults, ids::kSearchResults})
      EXPECT_FALSE(PlacementOf(layout, check).intersects(PlacementOf(layout, listed))) << check << " " << listed;
  EXPECT_EQ(PlacementOf(layout, ids::kReminderGroup), R(191, 60, w - 10 - 191, 142));
  EXPECT_EQ(PlacementOf(layout, ids::kUpdateReminder), R(508, 78, 78, 24));
  EXPECT_EQ(PlacementOf(layout, ids::kReminderList), R(196, 104, 90, 95));
  // The media file gives the recurrence's every-N and end date room at its right.
  EXPECT_EQ(PlacementOf(layout, ids::kMediaEdit), R(291, 177, w - 188 - 118 - 208, 22));
  EXPECT_EQ(PlacementOf(layout, ids::kRecurEvery), R(w - 219, 177, 72, 22));
  EXPECT_EQ(PlacementOf(layout, ids::kRecurUntil), R(w - 143, 177, 128, 22));
  EXPECT_EQ(PlacementOf(layout, ids::kRecurs), R(533, 148, 112, 22));
  EXPECT_EQ(PlacementOf(layout, ids::kReminderNote), R(191, 207, w - 201, h - 20 - 207));
  EXPECT_EQ(PlacementOf(layout, ids::kBold), R(410, 60, 23, 23));
  EXPECT_EQ(PlacementOf(layout, ids::kDiaryImport), R(680, 60, 23, 23));
  EXPECT_EQ(PlacementOf(layout, ids::kDiaryEditor), R(191, 85, w - 201, h - 20 - 85));
  EXPECT_EQ(PlacementOf(layout, ids::kWaveSlider), R(551, 113, 150, 42));
  EXPECT_EQ(PlacementOf(layout, ids::kSaveSoundAs), R(536, 175, 65, 23));
  EXPECT_EQ(PlacementOf(layout, ids::kSoundView), R(191, 245, w - 201, h - 20 - 245));
}

TEST(WindowLayout, largerWindowMovesOnlyWhatHangsOnTheRightAndBottom) {
  const auto small = WindowLayout(724, 494, DefaultCalendarRect());
  const auto large = WindowLayout(1000, 700, DefaultCalendarRect());
  EXPECT_EQ(PlacementOf(large, ids::kTimePicker), PlacementOf(small, ids::kTimePicker));
  EXPECT_EQ(PlacementOf(large, ids::kThemeButton).translated(-276, 0), PlacementOf(small, ids::kThemeButton));
  EXPECT_EQ(PlacementOf(large, ids::kDiaryEditor).size() - PlacementOf(small, ids::kDiaryEditor).size(),
            QSize(276, 206));
  EXPECT_EQ(PlacementOf(large, ids::kTitleLine).top(), 700 - 19);
}

TEST(WindowLayout, followsTheCalendarRectangle) {
  const QRect moved(20, 70, 200, 150);
  const auto layout = WindowLayout(800, 600, moved);
  EXPECT_EQ(PlacementOf(layout, ids::kTimePicker), R(228, 88, 90, 24));
  EXPECT_EQ(PlacementOf(layout, ids::kSearchWords), R(25, 295, 190, 23));
  EXPECT_TRUE(PlacementOf(layout, 424242).isNull());
}

TEST(WindowLayout, tabWalksTheWorkAreaFirstThenTheLeftColumnThenTheTop) {
  const int w = 724, h = 494;
  const auto layout = WindowLayout(w, h, DefaultCalendarRect());
  const QRect work = WorkArea(w, h, DefaultCalendarRect());
  EXPECT_EQ(work, R(191, 60, w - 191, h - 60));
  // Given in creation order, which walked the toolbar right to left.
  const std::vector<int> controls{ids::kThemeButton,  ids::kHelpButton,    ids::kSaveAll,        ids::kShowConfig,
                                  ids::kSearchFrom,   ids::kSearchTo,      ids::kSearchWords,    ids::kSearch,
                                  ids::kTimePicker,   ids::kAddReminder,   ids::kRemoveReminder, ids::kReminderList,
                                  ids::kCopyReminder, ids::kActive,        ids::kBeepOnly,       ids::kMediaEdit,
                                  ids::kReminderNote, ids::kPasteReminder, ids::kClose,          ids::kMinimize};
  std::vector<QRect> rects;
  for (int id : controls) rects.push_back(PlacementOf(layout, id));
  rects.push_back(QRect(12, 33, 82, 22));  // the first button of the mode switch
  std::vector<int> walked;
  for (int i : TabOrder(rects, work))
    walked.push_back(static_cast<size_t>(i) < controls.size() ? controls[static_cast<size_t>(i)] : ids::kModeReminder);
  const std::vector<int> expected{ids::kTimePicker,   ids::kAddReminder,   ids::kRemoveReminder, ids::kReminderList,
                                  ids::kCopyReminder, ids::kPasteReminder, ids::kActive,         ids::kBeepOnly,
                                  ids::kMediaEdit,    ids::kReminderNote,  ids::kSearchFrom,     ids::kSearchTo,
                                  ids::kSearchWords,  ids::kSearch,        ids::kMinimize,       ids::kClose,
                                  ids::kModeReminder, ids::kShowConfig,    ids::kSaveAll,        ids::kHelpButton,
                                  ids::kThemeButton};
  EXPECT_EQ(walked, expected);
}
