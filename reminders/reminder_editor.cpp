#include "reminders/reminder_editor.h"

#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"

namespace orlane {

ReminderMap ReminderEditor::reminders() const {
  return store_.shownDay(dayKey_);
}

QDate ReminderEditor::date() const {
  return DayKeyDate(dayKey_);
}

std::optional<RecurringReminder> ReminderEditor::seriesOf(const QByteArray& key) const {
  return key.isEmpty() ? std::nullopt : store_.occurrenceAt(dayKey_, key);
}

bool ReminderEditor::isOccurrence(int index) const {
  return index >= 0 && index < entries_.size() && seriesOf(entries_[index]).has_value();
}

void ReminderEditor::loadDay(const QString& dayKey) {
  dayKey_ = dayKey;
  entries_.clear();
  for (const auto& [key, value] : reminders()) entries_ << key;  // the map keeps them sorted
  selection_ = -1;
  editedKey_.clear();
  clearFields(false);
}

bool ReminderEditor::followStore() {
  const ReminderMap map = reminders();
  const QList<QByteArray> before = entries_;
  const ReminderFields shownBefore = fields_;
  entries_.removeIf([&map](const QByteArray& key) { return map.find(key) == map.end(); });
  for (const auto& [key, value] : map)
    if (!entries_.contains(key)) insertEntry(key);
  const qsizetype at = editedKey_.isEmpty() ? -1 : entries_.indexOf(editedKey_);
  selection_ = static_cast<int>(at);
  if (at < 0) {
    // Nothing shown from the list: what the user typed stays, for Add to take.
    editedKey_.clear();
  } else {
    showSelected();
  }
  return before != entries_ || shownBefore != fields_;
}

void ReminderEditor::clearFields(bool active) {
  fields_ = ReminderFields{};
  fields_.active = active;
}

QByteArray ReminderEditor::fieldsValue() const {
  Reminder r;
  r.media = fields_.media.toUtf8();
  r.active = fields_.active;
  r.repeat = fields_.repeat;
  r.note = fields_.note.toUtf8();
  return BuildReminderValue(r);
}

void ReminderEditor::storeFields() {
  if (selection_ < 0 || editedKey_.isEmpty()) return;
  if (std::optional<RecurringReminder> series = seriesOf(editedKey_)) {
    const Reminder r = ParseReminderValue(fieldsValue());
    // A fired occurrence shows inactive: only ticking Active itself switches the series.
    const bool shownActive = ParseReminderValue(series->occurrenceValue(date())).active;
    if (r.active != shownActive) series->active = r.active;
    series->note = r.note;
    series->media = r.media;
    series->repeat = r.repeat;
    store_.setSeries(*series);
    return;
  }
  store_.setReminder(dayKey_, editedKey_, fieldsValue());
}

void ReminderEditor::setFields(const ReminderFields& fields) {
  fields_ = fields;
  storeFields();
}

void ReminderEditor::showSelected() {
  if (selection_ < 0) return;
  const QByteArray key = entries_[selection_];
  const ReminderMap map = reminders();
  const auto found = map.find(key);
  const QByteArray value = found == map.end() ? QByteArray() : found->second;
  // The fields build this value already: they stay as the user typed them.
  if (key == editedKey_ && value == fieldsValue()) return;
  if (value.contains("\r\n")) {
    const Reminder r = ParseReminderValue(value);
    fields_.active = r.active;
    fields_.repeat = r.repeat;
    fields_.media = QString::fromUtf8(r.media);
    fields_.beepOnly = r.media == kBeepOnly;
    fields_.note = QString::fromUtf8(r.note);
  } else {
    fields_.media.clear();
    fields_.note.clear();
    fields_.active = true;
    fields_.beepOnly = false;
  }
  editedKey_ = key;
}

void ReminderEditor::select(int index) {
  selection_ = index >= 0 && index < entries_.size() ? index : -1;
  if (selection_ < 0) editedKey_.clear();
  showSelected();
}

int ReminderEditor::findEntry(const QByteArray& prefix) const {
  for (int i = 0; i < entries_.size(); ++i)
    if (entries_[i].size() >= prefix.size() &&
        QByteArrayView(entries_[i]).first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

void ReminderEditor::insertEntry(const QByteArray& key) {
  // The list sorts its strings: a new key goes to its place.
  int at = 0;
  while (at < entries_.size() && entries_[at] < key) ++at;
  entries_.insert(at, key);
  if (selection_ >= at) ++selection_;
}

ReminderEditor::Result ReminderEditor::add(const QByteArray& key) {
  const int existing = findEntry(key);
  if (existing >= 0) {
    // The list's search selects it, and the editor shows it: what is typed
    // from now on belongs to the reminder the list shows.
    selection_ = existing;
    editedKey_.clear();
    showSelected();
    return Result::AlreadyExists;
  }
  const bool typed = selection_ < 0;
  selection_ = -1;
  insertEntry(key);
  selection_ = static_cast<int>(entries_.indexOf(key));
  if (typed)
    fields_.active = true;
  else
    clearFields(true);
  editedKey_ = key;
  storeFields();
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::remove() {
  if (selection_ < 0) return Result::NothingSelected;
  if (isOccurrence(selection_)) return Result::Recurring;
  const QByteArray key = entries_.takeAt(selection_);
  editedKey_.clear();
  selection_ = -1;
  clearFields(false);
  store_.removeReminder(dayKey_, key);
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::removeOccurrence(bool everyTime) {
  if (!isOccurrence(selection_)) return Result::NothingSelected;
  const QByteArray key = entries_.takeAt(selection_);
  const std::optional<RecurringReminder> series = seriesOf(key);
  editedKey_.clear();
  selection_ = -1;
  clearFields(false);
  if (everyTime)
    store_.removeSeries(series->uid);
  else
    store_.skipOccurrence(dayKey_, key);
  return Result::Done;
}

std::optional<RecurRule> ReminderEditor::recurrence() const {
  if (selection_ < 0) return RecurRule{};
  const std::optional<RecurringReminder> series = seriesOf(entries_[selection_]);
  if (!series) return RecurRule{};
  return ReadRecurRule(series->rrule);
}

ReminderEditor::Result ReminderEditor::setRecurrence(const RecurRule& rule) {
  if (selection_ < 0 || editedKey_.isEmpty()) return Result::NothingSelected;
  std::optional<RecurringReminder> series = seriesOf(editedKey_);
  if (!series) {
    if (rule.kind == RecurKind::Once) return Result::Done;
    const Reminder r = ParseReminderValue(fieldsValue());
    const LocalDate today = LocalDateOf(NowSeconds());
    store_.setSeries(NewSeries(date(), editedKey_, BuildRRule(rule), r, QDate(today.year, today.month, today.day)));
    store_.removeReminder(dayKey_, editedKey_);
    return Result::Done;
  }
  if (rule.kind == RecurKind::Once) {
    const QByteArray value = fieldsValue();
    store_.removeSeries(series->uid);
    store_.setReminder(dayKey_, editedKey_, value);
    return Result::Done;
  }
  series->rrule = BuildRRule(rule);
  store_.setSeries(*series);
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::update(const QByteArray& newKey) {
  if (selection_ < 0) return Result::NothingSelected;
  const QByteArray oldKey = entries_[selection_];
  if (newKey == oldKey) {
    storeFields();
    return Result::Done;
  }
  if (findEntry(newKey) >= 0) return Result::AlreadyExists;
  entries_[selection_] = newKey;
  editedKey_ = newKey;
  if (std::optional<RecurringReminder> series = seriesOf(oldKey)) {
    // Every occurrence moves to the new time.
    series->timeKey = newKey;
    store_.setSeries(*series);
    storeFields();
    return Result::Done;
  }
  ReminderMap map = store_.day(dayKey_);
  map.erase(oldKey);
  map[newKey] = fieldsValue();
  store_.setDay(dayKey_, map);
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::copy() {
  if (selection_ < 0 || editedKey_.isEmpty()) return Result::NothingSelected;
  copySlot_.emplace(editedKey_, fieldsValue());
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::paste() {
  // Before any Copy there is nothing to paste; an empty key would be stored otherwise.
  if (!copySlot_) return Result::NothingCopied;
  if (findEntry(copySlot_->first) < 0) insertEntry(copySlot_->first);
  store_.setReminder(dayKey_, copySlot_->first, copySlot_->second);
  if (copySlot_->first == editedKey_) showSelected();
  return Result::Done;
}

void ReminderEditor::setBeepOnly(bool on) {
  fields_.beepOnly = on;
  fields_.media = on ? QString::fromLatin1(kBeepOnly) : QString();
  storeFields();
}

}  // namespace orlane
