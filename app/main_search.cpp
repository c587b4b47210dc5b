// The main window's search over all diary pages or reminder notes, and the
// opening of a found day.
#include "app/main_dlg.h"

#include "days/day_files.h"
#include "app/main_ids.h"
#include "calendar/month_calendar.h"
#include "controls/color_list_box.h"
#include "controls/mac_check_box.h"
#include "controls/wait_dlg.h"
#include "diary/page_text.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/local_time.h"
#include "reminders/day_search.h"
#include "security/session.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace orlane {

namespace {
DiaryPageText PageText(const QByteArray& rtf) {
  const RtfPageText page = ReadRtfPageText(rtf);
  return {page.text, page.hasObject};
}

// A range picker at its lowest date shows "any day": no limit on that side.
std::optional<QString> KeyOfPicker(const QWidget* picker) {
  const auto* edit = static_cast<const QDateEdit*>(picker);
  const QDate d = edit->date();
  if (d == edit->minimumDate()) return std::nullopt;
  return MakeDayKey(d.year(), d.month(), d.day());
}
}  // namespace

void CMainDlg::SearchDayFiles() {
  if (mode_ != ids::kModeDiary && mode_ != ids::kModeReminder) return;
  const SearchKind kind = mode_ == ids::kModeDiary ? SearchKind::Diary : SearchKind::Reminders;
  SearchOptions options;
  options.term = controls_.searchWords->text();
  options.matchCase = settings_.searchCase != 0;
  options.wholeWord = settings_.searchWholeWord != 0;
  options.fromKey = KeyOfPicker(controls_.widget(ids::kSearchFrom));
  options.toKey = KeyOfPicker(controls_.widget(ids::kSearchTo));
  options.activeOnly = kind == SearchKind::Reminders &&
                       static_cast<CMacCheckBox*>(controls_.widget(ids::kActived))->Checked();
  options.hasPicture = kind == SearchKind::Diary &&
                       static_cast<CMacCheckBox*>(controls_.widget(ids::kHasPicture))->Checked();

  controls_.searchResults->ResetContent();
  const int total = static_cast<int>(CollectDayFiles(kind).size());
  CWaitDlg::Start(this,
                  kind == SearchKind::Diary ? QStringLiteral("Searching in your diary...")
                                            : QStringLiteral("Searching in your reminders..."),
                  total, settings_.theme);
  const SearchResult result = orlane::SearchDayFiles(kind, options, CurrentPassword(), &PageText, [](int i, int) {
    CWaitDlg::Progress(i);
    QApplication::processEvents();
    return true;
  });
  CWaitDlg::Done();
  ListSearchResults(result.dayKeys);
  status_ = SearchStatusMessage(kind, controls_.searchResults->count());
  LayOut(client_->width(), client_->height());
  RebuildTitleLine();
}

void CMainDlg::ListSearchResults(const QStringList& dayKeys) {
  controls_.searchResults->ResetContent();
  for (const QString& key : dayKeys) {
    const QString entry = SearchResultEntry(key, settings_.dateFormat);
    if (controls_.searchResults->findItems(entry, Qt::MatchExactly).isEmpty()) controls_.searchResults->addItem(entry);
  }
  controls_.searchResults->sortItems();
}

QStringList CMainDlg::SearchResultKeys() const {
  QStringList keys;
  for (int i = 0; i < controls_.searchResults->count(); ++i)
    if (const std::optional<QString> key = DayKeyOfSearchEntry(controls_.searchResults->item(i)->text(),
                                                               settings_.dateFormat))
      keys << *key;
  return keys;
}

void CMainDlg::OpenSearchResult(const QString& entry) {
  const std::optional<QString> key = DayKeyOfSearchEntry(entry, settings_.dateFormat);
  if (!key) return;
  const int year = key->left(4).toInt(nullptr, 16);
  const int month = key->mid(4, 2).toInt(nullptr, 16);
  const int day = key->mid(6, 2).toInt(nullptr, 16);
  OnDateChanged(MakeLocalTime(year, month, day, 1, 0, 0));
  SelectSearchTerm(mode_ == ids::kModeDiary ? controls_.diaryEditor : controls_.reminderNote);
}

}  // namespace orlane
