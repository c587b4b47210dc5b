#include "controls/picker_fields.h"

#include "days/date_format.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace orlane {

namespace {

class FieldSelector final : public QObject {
 public:
  explicit FieldSelector(QDateTimeEdit* picker) : QObject(picker), picker_(picker) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && watched == picker_ && ShowsSpecialText()) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        MoveFocusOn(key == Qt::Key_Tab);
        return true;
      }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched != picker_) {
      // After the line edit has placed its cursor: the field there is the current one.
      QTimer::singleShot(0, this, [this] {
        if (picker_ && picker_->currentSection() != QDateTimeEdit::NoSection)
          picker_->setSelectedSection(picker_->currentSection());
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool ShowsSpecialText() const {
    return !picker_->specialValueText().isEmpty() && picker_->dateTime() == picker_->minimumDateTime();
  }

  void MoveFocusOn(bool forward) {
    QWidget* next = picker_;
    do {
      next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next != picker_ && (picker_->isAncestorOf(next) || !next->isVisible() || !next->isEnabled() ||
                                 !(next->focusPolicy() & Qt::TabFocus)));
    if (next != picker_) next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  }

  QPointer<QDateTimeEdit> picker_;
};

// Qt makes the pop-up as a child window of the picker and polishes it before
// it is first shown; the preparations run then, before the calendar's own show.
class CalendarPreparer final : public QObject {
 public:
  explicit CalendarPreparer(QDateTimeEdit* picker) : QObject(picker), picker_(picker) {
    picker->installEventFilter(this);
  }

  static CalendarPreparer& Of(QDateTimeEdit* picker) {
    for (QObject* child : picker->children())
      if (auto* preparer = dynamic_cast<CalendarPreparer*>(child)) return *preparer;
    return *new CalendarPreparer(picker);
  }

  void add(std::function<void(QCalendarWidget*)> prepare) {
    if (QCalendarWidget* calendar = Made())
      prepare(calendar);
    else
      pending_.push_back(std::move(prepare));
  }

  QCalendarWidget* prepared() {
    QCalendarWidget* calendar = picker_->calendarWidget();
    RunPending();
    return calendar;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == picker_ && event->type() == QEvent::ChildPolished) RunPending();
    return QObject::eventFilter(watched, event);
  }

 private:
  QCalendarWidget* Made() const { return picker_->findChild<QCalendarWidget*>(); }

  void RunPending() {
    QCalendarWidget* calendar = Made();
    if (!calendar) return;
    const std::vector<std::function<void(QCalendarWidget*)>> pending = std::move(pending_);
    pending_.clear();
    for (const auto& prepare : pending) prepare(calendar);
  }

  QDateTimeEdit* picker_;
  std::vector<std::function<void(QCalendarWidget*)>> pending_;
};

}  // namespace

void WhenCalendarMade(QDateTimeEdit* picker, std::function<void(QCalendarWidget*)> prepare) {
  CalendarPreparer::Of(picker).add(std::move(prepare));
}

QCalendarWidget* PreparedCalendar(QDateTimeEdit* picker) {
  return picker->calendarPopup() ? CalendarPreparer::Of(picker).prepared() : nullptr;
}

void ApplyDateSettings(QDateEdit* picker, int dateFormat, int weekStart) {
  picker->setDisplayFormat(DatePickerFormat(dateFormat));
  if (!picker->calendarPopup()) return;
  const Qt::DayOfWeek first = FirstDayOfWeek(weekStart);
  WhenCalendarMade(picker, [first](QCalendarWidget* calendar) { calendar->setFirstDayOfWeek(first); });
}

void SelectFieldOnClick(QDateTimeEdit* picker) {
  auto* selector = new FieldSelector(picker);
  picker->installEventFilter(selector);
  if (QLineEdit* text = picker->findChild<QLineEdit*>()) text->installEventFilter(selector);
}

}  // namespace orlane
