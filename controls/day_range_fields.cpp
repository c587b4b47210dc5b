#include "controls/day_range_fields.h"

#include "security/edge_rect.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>

namespace orlane {

namespace {
constexpr int kRowHeight = 20;
constexpr int kRowStep = 28;
constexpr int kToWidth = 30;

QString KeyOf(const QDate& d) {
  return MakeDayKey(d.year(), d.month(), d.day());
}

QLabel* AddLabel(QWidget* client, const QString& text, const QRect& rect, Qt::Alignment alignment) {
  auto* l = new QLabel(text, client);
  l->setAlignment(alignment | Qt::AlignVCenter);
  l->setGeometry(rect);
  l->show();
  return l;
}
}  // namespace

CDayRangeFields::CDayRangeFields(const QDate& shown, std::initializer_list<DayFileKind> everything, QObject* parent)
    : QObject(parent), shown_(shown), everything_(everything) {}

void CDayRangeFields::Build(QWidget* client, int top, int left, int right) {
  const int labelLeft = 10;
  AddLabel(client, QStringLiteral("Days:"), EdgeRect(labelLeft, top, left - 10, top + kRowHeight), Qt::AlignRight)
      ->setBuddy(days_ = new QComboBox(client));
  days_->addItems({QStringLiteral("The shown day"), QStringLiteral("The shown month"), QStringLiteral("The shown year"),
                   QStringLiteral("Everything"), QStringLiteral("These days:")});
  days_->setGeometry(EdgeRect(left, top, right, top + kRowHeight));
  days_->show();
  const int dates = top + kRowStep;
  from_ = new QDateEdit(client);
  to_ = new QDateEdit(client);
  AddLabel(client, QStringLiteral("From:"), EdgeRect(labelLeft, dates, left - 10, dates + kRowHeight), Qt::AlignRight)
      ->setBuddy(from_);
  const int half = (right - left - kToWidth) / 2;
  from_->setGeometry(EdgeRect(left, dates, left + half, dates + kRowHeight));
  AddLabel(client, QStringLiteral("to"), EdgeRect(left + half, dates, left + half + kToWidth, dates + kRowHeight),
           Qt::AlignHCenter)
      ->setBuddy(to_);
  to_->setGeometry(EdgeRect(left + half + kToWidth, dates, right, dates + kRowHeight));
  for (QDateEdit* edit : {from_, to_}) {
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    edit->show();
  }
  connect(days_, &QComboBox::activated, this, &CDayRangeFields::ShowDays);
  const auto chosen = [this] { days_->setCurrentIndex(kChosenDays); };
  connect(from_, &QDateEdit::userDateChanged, this, chosen);
  connect(to_, &QDateEdit::userDateChanged, this, chosen);
}

void CDayRangeFields::Choose(int days) {
  ShowDays(days);
  days_->setCurrentIndex(days);
}

void CDayRangeFields::SetEnabled(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{days_, from_, to_}) w->setEnabled(on);
}

QString CDayRangeFields::FromKey() const {
  if (days_->currentIndex() == kEverything) return QStringLiteral("00000000");
  return KeyOf(std::min(from_->date(), to_->date()));
}

QString CDayRangeFields::ToKey() const {
  if (days_->currentIndex() == kEverything) return QStringLiteral("ffffffff");
  return KeyOf(std::max(from_->date(), to_->date()));
}

void CDayRangeFields::ShowDays(int days) {
  QDate from = shown_;
  QDate to = shown_;
  switch (days) {
    case kShownMonth:
      from = QDate(shown_.year(), shown_.month(), 1);
      to = from.addMonths(1).addDays(-1);
      break;
    case kShownYear:
      from = QDate(shown_.year(), 1, 1);
      to = QDate(shown_.year(), 12, 31);
      break;
    case kEverything: {
      QDate first;
      QDate last;
      for (const DayFileKind kind : everything_) {
        const QStringList keys = DayKeysWithFile(kind, QStringLiteral("00000000"), QStringLiteral("ffffffff"));
        if (keys.isEmpty()) continue;
        const QDate a = DayKeyDate(keys.first());
        const QDate b = DayKeyDate(keys.last());
        if (a.isValid() && (!first.isValid() || a < first)) first = a;
        if (b.isValid() && (!last.isValid() || b > last)) last = b;
      }
      if (!first.isValid() || !last.isValid()) break;
      from = first;
      to = last;
      break;
    }
    default: return;  // the days as they are set
  }
  const QSignalBlocker blockFrom(from_);
  const QSignalBlocker blockTo(to_);
  from_->setDate(from);
  to_->setDate(to);
}

}  // namespace orlane
