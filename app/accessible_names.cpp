#include "app/accessible_names.h"

#include "app/main_ids.h"
#include "platform/local_time.h"

namespace orlane {

namespace {
struct NamedControl {
  int id;
  const char* name;
};

constexpr NamedControl kNames[] = {
    {ids::kTimePicker, "Reminder time"},
    {ids::kDatePicker, "Date"},
    {ids::kMediaEdit, "Media file"},
    {ids::kReminderNote, "Note"},
    {ids::kReminderList, "Reminders"},
    {ids::kRecurs, "Recurs"},
    {ids::kRecurEvery, "Every"},
    {ids::kRecurUntil, "Until"},
    {ids::kSearchWords, "Search words"},
    {ids::kSearchFrom, "From"},
    {ids::kSearchTo, "to"},
    {ids::kSearchResults, "Search results"},
    {ids::kDiaryEditor, "Diary page"},
    {ids::kFontName, "Font name"},
    {ids::kFontSize, "Font size"},
    {ids::kMicSlider, "Mic"},
    {ids::kMasterSlider, "Master"},
    {ids::kWaveSlider, "Wave"},
    {ids::kLevelBar, "Input level"},
    {ids::kSoundView, "Sound diary"},
    {ids::kModeSwitch, "Mode"},
};
}  // namespace

const char* AccessibleNameOfControl(int id) {
  for (const NamedControl& n : kNames)
    if (n.id == id) return n.name;
  return nullptr;
}

QString ReminderListName(std::time_t date) {
  return FormatLocalTime("Reminders of %#d %B %Y", date);
}

}  // namespace orlane
