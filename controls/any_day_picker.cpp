#include "controls/any_day_picker.h"

#include "controls/picker_fields.h"
#include "res/resources.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

namespace orlane {

namespace {
constexpr int kClearBitmap = 133;  // the close cross
}

AnyDayPicker::AnyDayPicker(QWidget* parent) : QDateEdit(parent) {
  setCalendarPopup(true);
  // The lowest date stands for "no limit", as an unticked picker would.
  setMinimumDate(QDate(1900, 1, 1));
  setSpecialValueText(QStringLiteral("any day"));
  setDate(minimumDate());
  SelectFieldOnClick(this);
  WhenCalendarMade(this, [this](QCalendarWidget* calendar) { calendar->installEventFilter(this); });
  clear_ = new QAction(QIcon(ResourcePixmap(kClearBitmap, 16)), QStringLiteral("Any day"), this);
  clear_->setToolTip(QStringLiteral("Any day: no limit"));
  connect(clear_, &QAction::triggered, this, [this] {
    SetAnyDay();
    Q_EMIT editingFinished();
  });
  connect(this, &QDateEdit::dateChanged, this, &AnyDayPicker::ShowClearButton);
}

void AnyDayPicker::ShowClearButton() {
  // The field shows its button while the action is one of its own.
  const bool shown = lineEdit()->actions().contains(clear_);
  if (IsAnyDay() && shown) lineEdit()->removeAction(clear_);
  if (!IsAnyDay() && !shown) lineEdit()->addAction(clear_, QLineEdit::TrailingPosition);
}

QDate AnyDayPicker::Anchor() const {
  const QDate anchor = anchor_ ? anchor_() : QDate::currentDate();
  return anchor.isValid() && anchor > minimumDate() ? anchor : QDate::currentDate();
}

void AnyDayPicker::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (IsAnyDay() && text.size() == 1 && text[0].isDigit() && !(event->modifiers() & Qt::ControlModifier)) {
    // The digits replace the first field of the anchor day.
    setDate(Anchor());
    setSelectedSection(sectionAt(0));
  }
  QDateEdit::keyPressEvent(event);
}

bool AnyDayPicker::eventFilter(QObject* watched, QEvent* event) {
  auto* calendar = qobject_cast<QCalendarWidget*>(watched);
  if (calendar && event->type() == QEvent::Show && IsAnyDay()) {
    // The pop-up opens at the anchor day without choosing it: Esc keeps "any day".
    const QDate anchor = Anchor();
    const bool blocked = calendar->blockSignals(true);
    calendar->setSelectedDate(anchor);
    calendar->setCurrentPage(anchor.year(), anchor.month());
    calendar->blockSignals(blocked);
  }
  return QDateEdit::eventFilter(watched, event);
}

}  // namespace orlane
