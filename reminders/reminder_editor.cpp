#include "reminders/reminder_editor.h"

#include "reminders/alarm_scheduler.h"

#include "reminders/reminder_value.h"

namespace orlane {

void ReminderEditor::loadDay(const ReminderMap& map) {
  map_ = map;
  entries_.clear();
  for (const auto& [key, value] : map_) entries_ << key;  // the map keeps them sorted
  selection_ = -1;
  editedKey_.clear();
  clearFields(false);
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

bool ReminderEditor::storeEdited() {
  if (selection_ < 0 || editedKey_.isEmpty()) return false;
  map_[editedKey_] = fieldsValue();
  return true;
}

void ReminderEditor::markFired(const QByteArray& key) {
  const auto it = map_.find(key);
  if (it != map_.end()) it->second = WithoutActiveMarker(it->second);
  if (key == editedKey_) fields_.active = false;
}

void ReminderEditor::showSelected() {
  if (selection_ < 0) return;
  const QByteArray key = entries_[selection_];
  const QByteArray& value = map_[key];
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
  storeEdited();
  selection_ = index >= 0 && index < entries_.size() ? index : -1;
  showSelected();
}

int ReminderEditor::findEntry(const QByteArray& prefix) const {
  for (int i = 0; i < entries_.size(); ++i)
    if (entries_[i].size() >= prefix.size() &&
        QByteArrayView(entries_[i]).first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

ReminderEditor::Result ReminderEditor::add(const QByteArray& key) {
  const int existing = findEntry(key);
  if (existing >= 0) {
    selection_ = existing;  // the list's search selects it; the fields stay as they were
    return Result::AlreadyExists;
  }
  // The list sorts its strings: the new key goes to its place.
  int at = 0;
  while (at < entries_.size() && entries_[at] < key) ++at;
  entries_.insert(at, key);
  selection_ = at;
  clearFields(true);
  editedKey_ = key;
  storeEdited();
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::remove() {
  if (selection_ < 0) return Result::NothingSelected;
  const QByteArray key = entries_.takeAt(selection_);
  map_.erase(key);
  editedKey_.clear();
  selection_ = -1;
  clearFields(false);
  return Result::Done;
}

ReminderEditor::Result ReminderEditor::update(const QByteArray& newKey) {
  if (selection_ < 0) return Result::NothingSelected;
  if (findEntry(newKey) >= 0) return Result::AlreadyExists;
  const QByteArray oldKey = entries_[selection_];
  const QByteArray value = map_[oldKey];
  map_.erase(oldKey);
  map_[newKey] = value;
  entries_[selection_] = newKey;
  editedKey_ = newKey;
  storeEdited();
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
  map_[copySlot_->first] = copySlot_->second;
  if (findEntry(copySlot_->first) < 0) {
    int at = 0;
    while (at < entries_.size() && entries_[at] < copySlot_->first) ++at;
    entries_.insert(at, copySlot_->first);
    if (selection_ >= at) ++selection_;
  }
  return Result::Done;
}

void ReminderEditor::setBeepOnly(bool on) {
  fields_.beepOnly = on;
  fields_.media = on ? QString::fromLatin1(kBeepOnly) : QString();
}

}  // namespace orlane
