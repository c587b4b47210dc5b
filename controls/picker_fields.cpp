#include "controls/picker_fields.h"

#include "days/date_format.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

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

}  // namespace

void ApplyDateSettings(QDateEdit* picker, int dateFormat, int weekStart) {
  picker->setDisplayFormat(DatePickerFormat(dateFormat));
  if (picker->calendarPopup()) picker->calendarWidget()->setFirstDayOfWeek(FirstDayOfWeek(weekStart));
}

void SelectFieldOnClick(QDateTimeEdit* picker) {
  auto* selector = new FieldSelector(picker);
  picker->installEventFilter(selector);
  if (QLineEdit* text = picker->findChild<QLineEdit*>()) text->installEventFilter(selector);
}

}  // namespace orlane
