#include "app/search_panel.h"

#include "app/main_ids.h"
#include "controls/any_day_picker.h"
#include "controls/color_list_box.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/picker_fields.h"
#include "controls/wait_dlg.h"
#include "days/day_files.h"
#include "days/settings_file.h"
#include "diary/page_text.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/local_time.h"
#include "reminders/day_search.h"
#include "security/session.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace orlane {

namespace {
constexpr ButtonEntry kSearchButtons[] = {
    {ids::kSearch, "Search", 218, "Search words in all reminders (CTRL+F3)"},
    {ids::kFind, "Find", 213, "Find words in text (F3)"},
    {ids::kCloseResults, "", 133, "Close search result"},
};

DiaryPageText PageText(const QByteArray& rtf) {
  const RtfPageText page = ReadRtfPageText(rtf);
  return {page.text, page.hasObject};
}

// A range picker that shows "any day" sets no limit on its side.
std::optional<QString> KeyOfPicker(const QWidget* picker) {
  const auto* edit = static_cast<const AnyDayPicker*>(picker);
  if (edit->IsAnyDay()) return std::nullopt;
  const QDate d = edit->date();
  return MakeDayKey(d.year(), d.month(), d.day());
}

constexpr int kDayKeyRole = Qt::UserRole;
}  // namespace

SearchPanel::SearchPanel(QWidget* client, PanelHost& host, int theme) : WorkPanel(host, client) {
  controls_.AddGroup(client, ids::kSearchGroup, "");
  controls_.AddLabel(client, ids::kFromLabel, "From");
  controls_.AddLabel(client, ids::kToLabel, "to");
  for (int id : {ids::kSearchFrom, ids::kSearchTo}) {
    auto* picker = controls_.Add(id, new AnyDayPicker(client));
    picker->SetAnchor([this] {
      const LocalDate d = LocalDateOf(host_.ShownDate());
      return QDate(d.year, d.month, d.day);
    });
  }
  words_ = controls_.Add(ids::kSearchWords, new QLineEdit(client));
  for (const ButtonEntry& s : kSearchButtons) controls_.AddButton(client, s, theme);
  controls_.AddCheck(client, ids::kHasPicture, "Has picture", theme);
  controls_.AddCheck(client, ids::kActived, "Actived", theme);
  results_ = controls_.Add(ids::kSearchResults, new CColorListBox(client));
  controls_.AddLabel(client, ids::kResultsLabel, "Search Result:");
  connect(results_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { OpenResult(item->text()); });
}

void SearchPanel::ApplyDateSettings(int dateFormat, int weekStart) {
  for (int id : {ids::kSearchFrom, ids::kSearchTo})
    orlane::ApplyDateSettings(static_cast<QDateEdit*>(controls_.widget(id)), dateFormat, weekStart);
}

bool SearchPanel::OwnsCommand(int id) const {
  return id == ids::kSearch || id == ids::kFind || id == ids::kCloseResults;
}

void SearchPanel::OnCommand(int id) {
  switch (id) {
    case ids::kSearch: SearchDayFiles(); break;
    case ids::kFind: FindInText(); break;
    case ids::kCloseResults:
      results_->ResetContent();
      host_.Relayout();
      break;
    default: break;
  }
}

void SearchPanel::LayOut(const std::vector<ControlPlacement>& layout) {
  WorkPanel::LayOut(layout);
  // The result label and its close button are shown only while a result is listed.
  const bool listed = results_->count() > 0;
  controls_.widget(ids::kResultsLabel)->setVisible(listed);
  controls_.widget(ids::kCloseResults)->setVisible(listed);
}

void SearchPanel::FollowMode(int mode) {
  if (CMacButton* search = controls_.button(ids::kSearch))
    search->SetTooltipText(mode == ids::kModeDiary ? QStringLiteral("Search words in all diaries (CTRL+F3)")
                                                   : QStringLiteral("Search words in all reminders (CTRL+F3)"));
  controls_.widget(ids::kActived)->setEnabled(mode == ids::kModeReminder);
  controls_.widget(ids::kHasPicture)->setEnabled(mode == ids::kModeDiary);
}

QTextDocument::FindFlags SearchPanel::Flags() const {
  const Settings& settings = host_.RunningSettings();
  QTextDocument::FindFlags flags;
  if (settings.searchCase) flags |= QTextDocument::FindCaseSensitively;
  if (settings.searchWholeWord) flags |= QTextDocument::FindWholeWords;
  return flags;
}

void SearchPanel::SelectTerm(QTextEdit* editor) const {
  const QString term = words_->text();
  if (term.isEmpty()) return;
  editor->moveCursor(QTextCursor::Start);
  editor->find(term, Flags());
}

void SearchPanel::FindInText() {
  CRichDiaryCtrl* editor = host_.ModeTextEditor();
  const QString term = words_->text();
  if (!editor || term.isEmpty()) return;
  editor->SetTheme(host_.RunningSettings().theme);
  editor->Find(term, Flags(), true);
}

void SearchPanel::SearchDayFiles() {
  const int mode = host_.Mode();
  if (mode != ids::kModeDiary && mode != ids::kModeReminder) return;
  const Settings& settings = host_.RunningSettings();
  const SearchKind kind = mode == ids::kModeDiary ? SearchKind::Diary : SearchKind::Reminders;
  SearchOptions options;
  options.term = words_->text();
  options.matchCase = settings.searchCase != 0;
  options.wholeWord = settings.searchWholeWord != 0;
  options.fromKey = KeyOfPicker(controls_.widget(ids::kSearchFrom));
  options.toKey = KeyOfPicker(controls_.widget(ids::kSearchTo));
  options.activeOnly = kind == SearchKind::Reminders && controls_.check(ids::kActived)->Checked();
  options.hasPicture = kind == SearchKind::Diary && controls_.check(ids::kHasPicture)->Checked();

  results_->ResetContent();
  const int total = static_cast<int>(CollectDayFiles(kind).size());
  CWaitDlg::Start(host_.Window(),
                  kind == SearchKind::Diary ? QStringLiteral("Searching in your diary...")
                                            : QStringLiteral("Searching in your reminders..."),
                  total, settings.theme);
  const SearchResult result = orlane::SearchDayFiles(kind, options, CurrentPassword(), &PageText, [](int i, int) {
    CWaitDlg::Progress(i);
    QApplication::processEvents();
    return true;
  });
  CWaitDlg::Done();
  contexts_ = result.contexts;
  ListResults(result.dayKeys);
  host_.ShowStatus(SearchStatusMessage(kind, results_->count()));
  host_.Relayout();
}

void SearchPanel::ListResults(const QStringList& dayKeys) {
  listedFormat_ = host_.RunningSettings().dateFormat;
  results_->ResetContent();
  // Day keys sort as their dates do; the entries' texts need not.
  QStringList keys = dayKeys;
  keys.sort();
  keys.removeDuplicates();
  for (const QString& key : keys) {
    const QString entry = SearchResultEntry(key, listedFormat_);
    if (!results_->findItems(entry, Qt::MatchExactly).isEmpty()) continue;
    auto* item = new QListWidgetItem(entry, results_);
    item->setData(kDayKeyRole, key);
    if (const QString context = contexts_.value(key); !context.isEmpty()) {
      item->setData(CColorListBox::kDetailRole, context);
      item->setToolTip(context);
    }
  }
}

QStringList SearchPanel::ResultKeys() const {
  QStringList keys;
  for (int i = 0; i < results_->count(); ++i) keys << results_->item(i)->data(kDayKeyRole).toString();
  return keys;
}

void SearchPanel::OpenResult(const QString& entry) {
  const std::optional<QString> key = DayKeyOfSearchEntry(entry, listedFormat_);
  if (!key) return;
  const std::time_t date = DayKeyTime(*key, 1, 0, 0);
  if (date == static_cast<std::time_t>(-1)) return;
  host_.OpenDay(date);
  if (CRichDiaryCtrl* editor = host_.ModeTextEditor()) SelectTerm(editor);
}

}  // namespace orlane
