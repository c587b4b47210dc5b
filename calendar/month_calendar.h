// CMonthCalendar: the self-drawn month control. It owns the selected date, the
// week start, the theme, the memory image that Redraw rebuilds and the paint
// handler copies, and the three navigation buttons; every change of date made
// by the user (mouse, keys, buttons) is reported by the queued dateChanged().
#pragma once

#include "calendar/month_grid.h"
#include "calendar/month_renderer.h"
#include "calendar/month_view.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <ctime>

namespace orlane {

class CMacButton;

class CMonthCalendar final : public QWidget {
  Q_OBJECT

 public:
  enum : int { kIdPrevMonth = 1001, kIdNextMonth = 1002, kIdToday = 1003 };
  static constexpr int kDefaultTheme = 1;

  explicit CMonthCalendar(QWidget* parent = nullptr);
  ~CMonthCalendar() override;
  Q_DISABLE_COPY_MOVE(CMonthCalendar)

  // Places the control at rect inside its parent, computes the cells, makes
  // the buttons and draws the first image.
  bool Create(const QRect& rect, QWidget* parent);

  // Builds the month's view now; its image is drawn when next painted or asked for.
  void Redraw();
  void SetTheme(int theme);
  int Theme() const { return theme_; }

  // 1 = weeks start on Sunday, 2 = on Monday; the owner calls Redraw after.
  int weekStart = kWeekStartsSunday;
  // The date format setting (0-2), in which the cells' dates are spoken.
  int dateFormat = 0;

  std::time_t SelectedDate() const { return selected_; }
  void SetSelectedDate(std::time_t t) { selected_ = t; }

  void PrevDay();
  void NextDay();
  void PrevWeek();
  void NextWeek();
  void PrevMonthStep();
  void NextMonthStep();
  // The buttons' commands: 1001, 1002, 1003; other ids are ignored.
  void OnCommand(int id);
  // What a click on cell 0..41 does: selects its day (of a neighbouring month
  // for a late day in the first row or an early one in the last two) and
  // reports the change.
  void ChooseCell(int cell);
  // The cell showing the selected day.
  int SelectedCell() const;

  // Where the marks and holidays come from (the window adds the occurrences
  // of recurring reminders to the day files).
  void SetSources(MonthSources sources) { sources_ = std::move(sources); }
  // For tests and benches: the same.
  void SetSourcesForTesting(MonthSources sources) { SetSources(std::move(sources)); }

  const QImage& Image() const;
  const MonthCellRects& Cells() const { return cells_; }
  const MonthView& View() const { return view_; }
  CMacButton* Button(int id) const;

 Q_SIGNALS:
  // Posted (queued) after every change of the selected date by the user.
  void dateChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void Layout();
  void SetDateByUser(std::time_t t);
  void PostDateChanged();
  void AnnounceSelectedCell();
  void ApplyMask();

  std::time_t selected_;
  int theme_ = kDefaultTheme;
  // Several changes in a row (start-up, a day's load) draw the month once.
  mutable QImage image_;
  mutable bool imageStale_ = false;
  MonthFonts fonts_;
  MonthCellRects cells_{};
  MonthView view_;
  MonthSources sources_;
  QPointer<CMacButton> prev_;
  QPointer<CMacButton> next_;
  QPointer<CMacButton> today_;
  bool created_ = false;
};

}  // namespace orlane
