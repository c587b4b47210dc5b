#include "app/window_layout.h"

#include "app/main_ids.h"

#include <algorithm>
#include <array>

namespace orlane {

namespace {
void FrameAndToolbar(std::vector<ControlPlacement>& out, int w, int h) {
  out.push_back({ids::kTitleBand, QRect(0, 0, w, 25)});
  out.push_back({ids::kClose, QRect(w - 21, 3, 18, 18)});
  out.push_back({ids::kMaximize, QRect(w - 42, 3, 18, 18)});
  out.push_back({ids::kHide, QRect(w - 63, 3, 18, 18)});
  out.push_back({ids::kMinimize, QRect(w - 84, 3, 18, 18)});
  out.push_back({ids::kThemeButton, QRect(w - 82, 31, 70, 24)});
  out.push_back({ids::kHelpButton, QRect(w - 154, 31, 70, 24)});
  out.push_back({ids::kPrint, QRect(w - 226, 31, 70, 24)});
  out.push_back({ids::kSaveAll, QRect(w - 298, 31, 70, 24)});
  out.push_back({ids::kShowConfig, QRect(w - 375, 31, 75, 24)});
  out.push_back({ids::kStaticLine, QRect(10, 56, w - 20, 1)});
  out.push_back({ids::kModeSwitch, QRect(12, 33, 248, 22)});
  // The bottom line leaves its right corner to the calendar switch (F2).
  out.push_back({ids::kTitleLine, QRect(12, h - 19, w - 44, 18)});
  out.push_back({ids::kCalendarSwitch, QRect(w - 30, h - 20, 18, 18)});
}

// While the calendar is hidden, the date picker and the clock take its place.
void DateAndClock(std::vector<ControlPlacement>& out) {
  out.push_back({ids::kDatePicker, QRect(10, 60, 178, 22)});
  out.push_back({ids::kClock, QRect(10, 86, 178, 116)});
}

void SearchPanel(std::vector<ControlPlacement>& out, int h, int e, int b, int cw) {
  out.push_back({ids::kSearchGroup, QRect(e, b + 3, cw, h - b - 23)});
  out.push_back({ids::kFromLabel, QRect(e + 5, b + 24, 40, 13)});
  out.push_back({ids::kSearchFrom, QRect(e + 50, b + 21, cw - 55, 22)});
  out.push_back({ids::kToLabel, QRect(e + 5, b + 52, 40, 13)});
  out.push_back({ids::kSearchTo, QRect(e + 50, b + 49, cw - 55, 22)});
  out.push_back({ids::kSearchWords, QRect(e + 5, b + 75, cw - 10, 23)});
  out.push_back({ids::kSearch, QRect(e + 11, b + 103, 75, 24)});
  out.push_back({ids::kFind, QRect(e + 91, b + 103, cw - 101, 24)});
  out.push_back({ids::kHasPicture, QRect(e + 17, b + 131, 80, 22)});
  out.push_back({ids::kActived, QRect(e + 102, b + 131, cw - 107, 22)});
  // The result label and its close button have a row of their own under the
  // check boxes, which stay in sight while a result is listed.
  out.push_back({ids::kResultsLabel, QRect(e + 5, b + 157, cw - 33, 18)});
  out.push_back({ids::kCloseResults, QRect(e + cw - 23, b + 155, 18, 18)});
  out.push_back({ids::kSearchResults, QRect(e + 5, b + 176, cw - 10, h - b - 199)});
}

void ReminderMode(std::vector<ControlPlacement>& out, int w, int h, int r, int t, int b, int x0) {
  out.push_back({ids::kReminderGroup, QRect(x0, t, w - 10 - x0, b - t)});
  out.push_back({ids::kTimePicker, QRect(r + 8, t + 18, 90, 24)});
  out.push_back({ids::kAddReminder, QRect(r + 103, t + 18, 58, 24)});
  out.push_back({ids::kRemoveReminder, QRect(r + 164, t + 18, 75, 24)});
  out.push_back({ids::kRefreshReminder, QRect(r + 242, t + 18, 75, 24)});
  out.push_back({ids::kUpdateReminder, QRect(r + 320, t + 18, 78, 24)});
  out.push_back({ids::kReminderList, QRect(r + 8, t + 44, 90, b - t - 47)});
  out.push_back({ids::kCopyReminder, QRect(r + 103, t + 54, 60, 24)});
  out.push_back({ids::kPasteReminder, QRect(r + 166, t + 54, 66, 24)});
  out.push_back({ids::kMediaFile, QRect(r + 235, t + 54, 80, 24)});
  out.push_back({ids::kPlayNow, QRect(r + 318, t + 54, 80, 24)});
  out.push_back({ids::kActive, QRect(r + 103, t + 89, 60, 20)});
  out.push_back({ids::kBeepOnly, QRect(r + 166, t + 89, 80, 20)});
  out.push_back({ids::kRepeatPlay, QRect(r + 249, t + 89, 90, 20)});
  // The recurrence: its choice after the check boxes, every-N and the end date after the media file.
  out.push_back({ids::kRecurs, QRect(r + 345, t + 88, 112, 22)});
  out.push_back({ids::kMediaEdit, QRect(r + 103, b - 25, w - r - 118 - 208, 22)});
  out.push_back({ids::kRecurEvery, QRect(w - 15 - 204, b - 25, 72, 22)});
  out.push_back({ids::kRecurUntil, QRect(w - 15 - 128, b - 25, 128, 22)});
  // The media or movie of the shown reminder: the free part of the group, right of its buttons.
  const QRect group(x0, t, w - 10 - x0, b - t);
  out.push_back({ids::kMediaPreview,
                 QRect(group.left() + 410, group.top() + 18, std::max(40, group.width() - 420), group.height() - 82)});
  out.push_back({ids::kReminderNote, QRect(x0, b + 5, w - 10 - x0, h - 20 - b - 5)});
}

void DiaryMode(std::vector<ControlPlacement>& out, int w, int h, int r, int t, int x0) {
  out.push_back({ids::kFontName, QRect(x0, t, 170, 22)});
  out.push_back({ids::kFontSize, QRect(r + 176, t, 40, 22)});
  struct Button {
    int id;
    int offset;
  };
  static constexpr std::array<Button, 12> kButtons{{{ids::kBold, 222},
                                                    {ids::kItalic, 246},
                                                    {ids::kUnderline, 270},
                                                    {ids::kAlignLeft, 296},
                                                    {ids::kAlignCenter, 320},
                                                    {ids::kAlignRight, 344},
                                                    {ids::kInsertPicture, 370},
                                                    {ids::kAttachFile, 394},
                                                    {ids::kFontColor, 418},
                                                    {ids::kBackgroundColor, 442},
                                                    {ids::kDiarySaveAs, 468},
                                                    {ids::kDiaryImport, 492}}};
  for (const Button& b : kButtons) out.push_back({b.id, QRect(r + b.offset, t, 23, 23)});
  out.push_back({ids::kDiaryEditor, QRect(x0, t + 25, w - 10 - x0, h - 20 - t - 25)});
}

void SoundMode(std::vector<ControlPlacement>& out, int w, int h, int r, int t, int x0) {
  out.push_back({ids::kMixerGroup, QRect(x0, t, w - 10 - x0, 100)});
  const std::array<std::array<int, 3>, 3> mixers{{{ids::kMicLabel, ids::kMicSlider, 23},
                                                  {ids::kMasterLabel, ids::kMasterSlider, 193},
                                                  {ids::kWaveLabel, ids::kWaveSlider, 363}}};
  for (const auto& [label, slider, offset] : mixers) {
    out.push_back({label, QRect(r + offset, t + 25, 150, 18)});
    out.push_back({slider, QRect(r + offset, t + 53, 150, 42)});
  }
  const std::array<std::array<int, 2>, 6> recorder{{{ids::kPlay, 13},
                                                    {ids::kStop, 80},
                                                    {ids::kPause, 147},
                                                    {ids::kRecord, 214},
                                                    {ids::kDeleteSound, 281},
                                                    {ids::kSaveSoundAs, 348}}};
  for (const auto& [id, offset] : recorder) out.push_back({id, QRect(r + offset, t + 115, 65, 23)});
  out.push_back({ids::kMicLevelLabel, QRect(r + 13, t + 157, 36 - 13, 18)});
  out.push_back({ids::kLevelBar, QRect(r + 36, t + 157, w - 10 - r - 36, 18)});
  out.push_back({ids::kSoundView, QRect(x0, t + 185, w - 10 - x0, h - 20 - t - 185)});
}
}  // namespace

QRect DefaultCalendarRect() {
  return QRect(QPoint(10, 60), QPoint(188 - 1, 202 - 1));
}

std::vector<ControlPlacement> WindowLayout(int w, int h, const QRect& calendar) {
  // Edges as the window system gives them: right and bottom are exclusive.
  const int e = calendar.left();
  const int t = calendar.top();
  const int r = calendar.left() + calendar.width();
  const int b = calendar.top() + calendar.height();
  const int cw = r - e;
  const int x0 = r + 3;
  std::vector<ControlPlacement> out;
  out.reserve(96);
  FrameAndToolbar(out, w, h);
  DateAndClock(out);
  SearchPanel(out, h, e, b, cw);
  ReminderMode(out, w, h, r, t, b, x0);
  DiaryMode(out, w, h, r, t, x0);
  SoundMode(out, w, h, r, t, x0);
  return out;
}

QRect WorkArea(int w, int h, const QRect& calendar) {
  const int x0 = calendar.left() + calendar.width() + 3;
  return QRect(x0, calendar.top(), std::max(0, w - x0), std::max(0, h - calendar.top()));
}

std::vector<int> TabOrder(const std::vector<QRect>& rects, const QRect& workArea) {
  const auto region = [&workArea](const QRect& r) {
    if (r.top() < workArea.top()) return 2;
    return r.left() >= workArea.left() ? 0 : 1;
  };
  std::vector<int> order(rects.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const QRect& ra = rects[static_cast<size_t>(a)];
    const QRect& rb = rects[static_cast<size_t>(b)];
    if (region(ra) != region(rb)) return region(ra) < region(rb);
    return ra.top() < rb.top();
  });
  // Rows: a control joins the row of the first one when it starts above the
  // middle of the lower of the two (a tall list keeps the buttons beside its top).
  std::vector<int> rowOf(rects.size());
  int row = -1;
  QRect rowHead;
  int rowRegion = -1;
  for (int i : order) {
    const QRect& r = rects[static_cast<size_t>(i)];
    if (row < 0 || region(r) != rowRegion || r.top() >= rowHead.top() + std::min(rowHead.height(), r.height()) / 2) {
      ++row;
      rowHead = r;
      rowRegion = region(r);
    }
    rowOf[static_cast<size_t>(i)] = row;
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (rowOf[static_cast<size_t>(a)] != rowOf[static_cast<size_t>(b)])
      return rowOf[static_cast<size_t>(a)] < rowOf[static_cast<size_t>(b)];
    return rects[static_cast<size_t>(a)].left() < rects[static_cast<size_t>(b)].left();
  });
  return order;
}

QRect PlacementOf(const std::vector<ControlPlacement>& layout, int id) {
  for (const ControlPlacement& p : layout)
    if (p.id == id) return p.rect;
  return {};
}

}  // namespace orlane
