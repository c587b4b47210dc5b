#include "app/reminder_panel.h"

#include "app/main_ids.h"
#include "controls/color_list_box.h"
#include "controls/flash_player.h"
#include "controls/mac_check_box.h"
#include "controls/media_player2.h"
#include "controls/msg_box_dlg.h"
#include "controls/picker_fields.h"
#include "controls/text_tab_keys.h"
#include "days/settings_file.h"
#include "diary/rich_diary_ctrl.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>

namespace orlane {

namespace {
constexpr ButtonEntry kReminderButtons[] = {
    {ids::kAddReminder, "Add", 179, "Add Reminder"},
    {ids::kRemoveReminder, "Remove", 180, "Remove Reminder"},
    {ids::kUpdateReminder, "Update", 244, "Update Reminder Time"},
    {ids::kRefreshReminder, "Refresh", 311, "Refresh Reminder Time"},
    {ids::kCopyReminder, "Copy", 215, "Copy Reminder"},
    {ids::kPasteReminder, "Paste", 214, "Paste Reminder"},
    {ids::kMediaFile, "Media File", 175, "Set a Media File to the Reminder"},
    {ids::kPlayNow, "Play Now", 178, "Test the Reminder"},
};

// The Recurs choices, in the order of RecurKind.
constexpr const char* kRecurChoices[] = {"Once",       "Every day",   "Every weekday",
                                         "Every week", "Every month", "Every year"};
// The end date's lowest value stands for no end.
const QDate kNoEnd(2000, 1, 1);

// The media file dialog's two entries.
QString MediaFileFilter() {
  return QStringLiteral(
      "Media files(mpeg,mpg,avi,asf,asx,wax,wm,wma,wmd,wmv,wvx,wmp,wmx,cda,ivf,aif,aifc,aiff,wav,m1v,mp2,mpa,mpe,"
      "mp2v,mpv2,mid,midi,rmi,au,snd,mp3,m3u,vob) (*.cda *.ivf *.aif *.aifc *.aiff *.asf *.asx *.wax *.wm *.wma "
      "*.wmd *.wmv *.wvx *.wmp *.wmx *.avi *.wav *.mpeg *.mpg *.dat *.m1v *.mp2 *.mpa *.mpe *.mp2v *.mpv2 *mid "
      "*.midi *.rmi *.au *.snd *.mp3 *.m3u *.vob *.ogg *.oga *.flac *.mp4 *.webm *.mkv);;Flash files(swf) (*.swf)");
}
}  // namespace

ReminderPanel::ReminderPanel(QWidget* client, PanelHost& host, ReminderStore& store, int theme)
    : WorkPanel(host, client), editor_(store), client_(client) {
  controls_.AddGroup(client, ids::kReminderGroup, "Alarm Set");
  timePicker_ = controls_.Add(ids::kTimePicker, new QTimeEdit(client));
  timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  SelectFieldOnClick(timePicker_);
  for (const ButtonEntry& s : kReminderButtons) controls_.AddButton(client, s, theme);
  list_ = controls_.Add(ids::kReminderList, new CColorListBox(client));
  active_ = controls_.AddCheck(client, ids::kActive, "Active", theme);
  beepOnly_ = controls_.AddCheck(client, ids::kBeepOnly, "Beep Only", theme);
  repeat_ = controls_.AddCheck(client, ids::kRepeatPlay, "Repeat Play", theme);
  media_ = controls_.Add(ids::kMediaEdit, new QLineEdit(client));
  note_ = controls_.Add(ids::kReminderNote, new CRichDiaryCtrl(client));
  note_->setAcceptRichText(false);
  LetTabLeaveText(note_);
  recurs_ = controls_.Add(ids::kRecurs, new QComboBox(client));
  for (const char* choice : kRecurChoices) recurs_->addItem(QString::fromLatin1(choice));
  recurEvery_ = controls_.Add(ids::kRecurEvery, new QSpinBox(client));
  recurEvery_->setRange(1, 999);
  recurEvery_->setPrefix(QStringLiteral("every "));
  recurUntil_ = controls_.Add(ids::kRecurUntil, new QDateEdit(client));
  recurUntil_->setDisplayFormat(QStringLiteral("'until' yyyy-MM-dd"));
  recurUntil_->setMinimumDate(kNoEnd);
  recurUntil_->setSpecialValueText(QStringLiteral("No end"));
  recurUntil_->setDate(kNoEnd);
  connect(recurs_, &QComboBox::activated, this, &ReminderPanel::RecurrenceEdited);
  connect(recurEvery_, &QSpinBox::editingFinished, this, &ReminderPanel::RecurrenceEdited);
  connect(recurUntil_, &QDateEdit::editingFinished, this, &ReminderPanel::RecurrenceEdited);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { OnSelection(); });
  connect(note_, &QTextEdit::textChanged, this, &ReminderPanel::FieldsEdited);
  connect(media_, &QLineEdit::textEdited, this, &ReminderPanel::FieldsEdited);
}

bool ReminderPanel::OwnsCommand(int id) const {
  switch (id) {
    case ids::kAddReminder:
    case ids::kRemoveReminder:
    case ids::kUpdateReminder:
    case ids::kRefreshReminder:
    case ids::kCopyReminder:
    case ids::kPasteReminder:
    case ids::kMediaFile:
    case ids::kPlayNow:
    case ids::kActive:
    case ids::kRepeatPlay:
    case ids::kBeepOnly: return true;
    default: return false;
  }
}

void ReminderPanel::LayOut(const std::vector<ControlPlacement>& layout) {
  WorkPanel::LayOut(layout);
  previewArea_ = PlacementOf(layout, ids::kMediaPreview);
  if (preview_) preview_->setGeometry(previewArea_);
}

void ReminderPanel::SetShown(bool shown) {
  shown_ = shown;
  WorkPanel::SetShown(shown);
  if (preview_) preview_->setVisible(shown);
}

void ReminderPanel::FillList() {
  QSignalBlocker block(list_);
  list_->ResetContent();
  // An occurrence of a recurring reminder is marked after its time.
  for (int i = 0; i < editor_.entries().size(); ++i)
    list_->addItem(QString::fromLatin1(editor_.entries()[i]) +
                   (editor_.isOccurrence(i) ? QStringLiteral(" \u21BB") : QString()));
}

void ReminderPanel::LoadDay(const QString& dayKey) {
  editor_.loadDay(dayKey);
  FillList();
  ShowFields();
}

void ReminderPanel::NameListFor(std::time_t date) {
  list_->setAccessibleName(ReminderListName(date));
}

void ReminderPanel::FollowStore() {
  if (showing_ || !editor_.followStore()) return;
  FillList();
  ShowFields();
}

void ReminderPanel::FieldsEdited() {
  if (showing_) return;
  ReminderFields f;
  f.note = note_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  f.media = media_->text();
  f.active = active_->Checked();
  f.repeat = repeat_->Checked();
  f.beepOnly = beepOnly_->Checked();
  if (f == editor_.fields()) return;
  showing_ = true;  // the store's signal comes back here: the fields are already shown
  editor_.setFields(f);
  showing_ = false;
}

void ReminderPanel::ShowFields() {
  const ReminderFields& f = editor_.fields();
  const bool wasShowing = std::exchange(showing_, true);
  const QString note = QString(f.note).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // The note the user is typing stays as it is (with its cursor) when it is the same text.
  if (note_->toPlainText() != note) note_->setPlainText(note);
  if (media_->text() != f.media) media_->setText(f.media);
  active_->SetChecked(f.active);
  repeat_->SetChecked(f.repeat);
  beepOnly_->SetChecked(f.beepOnly);
  if (f.media != shownMedia_) ShowMediaPreview(f.media);
  QSignalBlocker blockList(list_);
  list_->setCurrentRow(editor_.selection());
  ShowRecurrence();
  showing_ = wasShowing;
}

void ReminderPanel::ShowRecurrence() {
  // With nothing selected the fields stay as typed, for Add to take.
  if (editor_.selection() < 0) return;
  const std::optional<RecurRule> rule = editor_.recurrence();
  // A rule the choices cannot say is kept; its fields cannot change it.
  for (QWidget* field :
       {static_cast<QWidget*>(recurs_), static_cast<QWidget*>(recurEvery_), static_cast<QWidget*>(recurUntil_)})
    field->setEnabled(rule.has_value());
  const RecurRule shown = rule.value_or(RecurRule{});
  const QSignalBlocker a(recurs_), b(recurEvery_), c(recurUntil_);
  recurs_->setCurrentIndex(static_cast<int>(shown.kind));
  recurEvery_->setValue(shown.interval);
  recurUntil_->setDate(shown.until.value_or(kNoEnd));
}

RecurRule ReminderPanel::RecurrenceOfFields() const {
  RecurRule rule;
  rule.kind = static_cast<RecurKind>(std::clamp(recurs_->currentIndex(), 0, 5));
  rule.interval = recurEvery_->value();
  if (recurUntil_->date() > kNoEnd) rule.until = recurUntil_->date();
  return rule;
}

void ReminderPanel::RecurrenceEdited() {
  if (showing_ || editor_.selection() < 0) return;
  const std::optional<RecurRule> now = editor_.recurrence();
  if (!now || *now == RecurrenceOfFields()) return;
  showing_ = true;
  editor_.setRecurrence(RecurrenceOfFields());
  showing_ = false;
  FillList();
  ShowFields();
  Q_EMIT remindersChanged();
}

bool ReminderPanel::RemoveOccurrence() {
  CMsgBoxDlg box(QStringLiteral("This reminder recurs. Remove it only on this day, or every time?"),
                 CMsgBoxDlg::kCustom, host_.RunningSettings().theme, host_.Window());
  // Closing the box is the second answer: it must be the harmless one.
  box.SetCustomButtons({QStringLiteral("&Only this day"), QStringLiteral("Cancel"), QStringLiteral("&Every time")});
  box.SetCustomTitle(QStringLiteral("Remove Reminder"));
  box.exec();
  if (box.Result() != 0 && box.Result() != 2) return false;
  return editor_.removeOccurrence(box.Result() == 2) == ReminderEditor::Result::Done;
}

void ReminderPanel::ShowMediaPreview(const QString& media) {
  delete preview_;
  preview_ = nullptr;
  shownMedia_ = media;
  const MediaKind kind = MediaKindOf(media.toUtf8());
  if (kind != MediaKind::Flash && kind != MediaKind::MediaFile) return;
  if (kind == MediaKind::Flash) {
    auto* movie = new NFlash(client_);
    movie->Create(media, previewArea_, client_, 0xFFFF);
    movie->Play();
    preview_ = movie;
  } else {
    auto* player = new CMediaPlayer2(client_);
    player->setGeometry(previewArea_);
    player->SetAutoStart(true);
    player->SetFileName(media);
    player->show();
    player->Play();
    preview_ = player;
  }
  preview_->setVisible(shown_);
}

void ReminderPanel::OnSelection() {
  editor_.select(list_->currentRow());
  ShowFields();
  host_.SaveShownDay();
  host_.SelectSearchTerm(note_);  // a search term still set is selected in the note
}

void ReminderPanel::TellExists(const QByteArray& key) {
  ThemedNotice(QStringLiteral("Reminder ") + QString::fromLatin1(key) + QStringLiteral(" already exists."),
               host_.RunningSettings().theme, host_.Window());
}

void ReminderPanel::OnCommand(int id) {
  const QByteArray pickerKey = timePicker_->time().toString(QStringLiteral("HH:mm:ss")).toLatin1();
  bool save = true;
  switch (id) {
    case ids::kAddReminder: {
      // Typed with nothing selected, the Recurs fields belong to the new reminder.
      const bool typed = editor_.selection() < 0;
      if (editor_.add(pickerKey) == ReminderEditor::Result::AlreadyExists) {
        TellExists(pickerKey), save = false;
        break;
      }
      if (typed && RecurrenceOfFields().kind != RecurKind::Once) editor_.setRecurrence(RecurrenceOfFields());
      break;
    }
    case ids::kRemoveReminder: {
      const ReminderEditor::Result r = editor_.remove();
      save = r == ReminderEditor::Result::Done || (r == ReminderEditor::Result::Recurring && RemoveOccurrence());
      break;
    }
    case ids::kUpdateReminder: {
      const ReminderEditor::Result r = editor_.update(pickerKey);
      if (r == ReminderEditor::Result::AlreadyExists) TellExists(pickerKey);
      save = r == ReminderEditor::Result::Done;
      break;
    }
    case ids::kRefreshReminder:
      timePicker_->setTime(QTime::currentTime());
      save = false;
      break;
    case ids::kCopyReminder:
      editor_.copy();
      save = false;
      break;
    case ids::kPasteReminder: save = editor_.paste() == ReminderEditor::Result::Done; break;
    case ids::kMediaFile: {
      if (editor_.selection() < 0) return;
      const QString path = QFileDialog::getOpenFileName(host_.Window(), QString(), QString(), MediaFileFilter());
      if (path.isEmpty()) return;
      media_->setText(path);
      beepOnly_->SetChecked(false);
      FieldsEdited();
      ShowMediaPreview(path);
      return;
    }
    case ids::kPlayNow: {
      if (editor_.selection() < 0) return;
      AlertRequest test;
      test.title = QStringLiteral("Reminder test - ") + QString::fromLatin1(editor_.entries()[editor_.selection()]);
      test.note = editor_.fields().note.toUtf8();
      test.media = editor_.fields().media.toUtf8();
      test.repeat = editor_.fields().repeat;
      host_.ShowAlert(test);
      return;
    }
    case ids::kActive:
    case ids::kRepeatPlay: FieldsEdited(); return;
    case ids::kBeepOnly:
      showing_ = true;
      editor_.setBeepOnly(beepOnly_->Checked());
      showing_ = false;
      media_->setText(editor_.fields().media);
      return;
    default: return;
  }
  FillList();
  ShowFields();
  if (!save) return;
  host_.SaveShownDay();
  Q_EMIT remindersChanged();
}

}  // namespace orlane
