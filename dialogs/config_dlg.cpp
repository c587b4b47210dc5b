#include "dialogs/config_dlg.h"

#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "dialogs/change_pass_dlg.h"
#include "dialogs/config_spelling_page.h"
#include "dialogs/help_topic.h"
#include "platform/app_paths.h"
#include "platform/program_info.h"
#include "security/edge_rect.h"
#include "security/registry_key.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include <cstdlib>

namespace orlane {

namespace {
// The text of each check box and the member it edits, in box order.
struct BoxPlace {
  const char* text;
  std::int32_t Settings::*member;
};
constexpr std::array<BoxPlace, CConfigDlg::kBoxCount> kBoxes = {{
    {"Autorun at windows startup.", &Settings::autorun},
    {"Launch Deskleaf at startup.", &Settings::launchDeskleaf},
    {"Hide Orlane at startup.", &Settings::hideAtStartup},
    {"Need login at everytime show from taskbar.", &Settings::loginOnShow},
    {"Auto check for new version at startup.", &Settings::checkUpdate},
    {"Case sensitive", &Settings::searchCase},
    {"Whole word", &Settings::searchWholeWord},
}};
constexpr int kFirstBoxId = 1001;
// The visible height of a drop-down list; its rectangle's bottom is the
// extent of the opened list.
constexpr int kListHeight = 20;

void SelectIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
}  // namespace

CConfigDlg::CConfigDlg(const Settings& settings, int theme, QWidget* parent)
    : CConfigDlg(settings, ExtraSettings{}, theme, parent) {}

CConfigDlg::CConfigDlg(const Settings& settings, const ExtraSettings& extra, int theme, QWidget* parent)
    : CThemedDialog(parent), settings_(settings), extra_(extra) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Config"));
}

CMacButton* CConfigDlg::Button(int id) const {
  switch (id) {
    case kHelpId: return help_;
    case 1: return ok_;
    case 2: return cancel_;
    case kChangePasswordId: return changePassword_;
    case kPageId: return pageButton_;
    default: return nullptr;
  }
}

QByteArray CConfigDlg::AutorunCommand() {
  return (ProgramFolder() + QStringLiteral("orlane")).toUtf8();
}

void CConfigDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  const int w = ClientSize().width();
  const QList<QWidget*> frame = Client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  BuildGroups(w);
  BuildLists(w);
  BuildButtons(w);
  for (QWidget* c : Client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!frame.contains(c) && c != help_ && c != ok_ && c != cancel_ && c != pageButton_) pages_[0] << c;
  BuildSecondPage(w);
  LoadControls();
  ShowPage(0);
}

void CConfigDlg::BuildSecondPage(int w) {
  const QList<QWidget*> before = Client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  auto* group = new QGroupBox(QStringLiteral("Reminder Set"), Client());
  group->setGeometry(EdgeRect(20, 40, w - 20, 150));
  group->lower();
  const auto label = [this](const QString& text, int top) {
    auto* l = new QLabel(text, Client());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(EdgeRect(30, top, 170, top + 18));
    return l;
  };
  const auto spin = [this, w](int top, const char* name) {
    auto* box = new QSpinBox(Client());
    if (const ExtraSettingKey* key = FindExtraSettingKey(QLatin1String(name)))
      box->setRange(key->minimum, key->maximum);
    box->setGeometry(EdgeRect(180, top, w - 40, top + kListHeight));
    return box;
  };
  QLabel* l = label(QStringLiteral("Snooze for:"), 60);
  snoozeMinutes_ = spin(59, "snooze_minutes");
  snoozeMinutes_->setSuffix(QStringLiteral(" min"));
  l->setBuddy(snoozeMinutes_);
  notifications_ = new CMacCheckBox(QStringLiteral("Show desktop notifications."), kFirstBoxId + kBoxCount, Client());
  notifications_->SetTheme(Theme());
  notifications_->setGeometry(EdgeRect(35, 90, w - 35, 108));
  l = label(QStringLiteral("Skip reminders late by:"), 120);
  lateCancel_ = spin(119, "late_cancel_hours");
  lateCancel_->setSuffix(QStringLiteral(" hours"));
  lateCancel_->setSpecialValueText(QStringLiteral("Never"));
  l->setBuddy(lateCancel_);
  auto* backupGroup = new QGroupBox(QStringLiteral("Backup Set"), Client());
  backupGroup->setGeometry(EdgeRect(20, 330, w - 20, 380));
  backupGroup->lower();
  l = label(QStringLiteral("Remind to back up after:"), 350);
  backupReminder_ = spin(349, "backup_reminder_days");
  backupReminder_->setSuffix(QStringLiteral(" days"));
  backupReminder_->setSpecialValueText(QStringLiteral("Never"));
  l->setBuddy(backupReminder_);
  auto* syncGroup = new QGroupBox(QStringLiteral("Calendar Sync"), Client());
  syncGroup->setGeometry(EdgeRect(20, 386, w - 20, 438));
  syncGroup->lower();
  l = label(QStringLiteral("Sync every:"), 406);
  l->setGeometry(EdgeRect(30, 406, 100, 424));
  syncMinutes_ = spin(405, "sync_minutes");
  syncMinutes_->setGeometry(EdgeRect(105, 405, 200, 405 + kListHeight));
  syncMinutes_->setSuffix(QStringLiteral(" min"));
  syncMinutes_->setSpecialValueText(QStringLiteral("At saves"));
  l->setBuddy(syncMinutes_);
  serverButton_ = AddButton(QStringLiteral("&Server..."), kServerId, EdgeRect(210, 403, w - 30, 427));
  for (QWidget* c : Client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!before.contains(c)) pages_[1] << c;
}

void CConfigDlg::ShowPage(int page) {
  page_ = page == 1 ? 1 : 0;
  if (page_ == 1) SpellingPage();
  for (QWidget* c : pages_[1 - page_]) c->hide();
  for (QWidget* c : pages_[page_]) c->show();
  if (pageButton_) pageButton_->setText(page_ == 0 ? QStringLiteral("&More >>") : QStringLiteral("<< &Back"));
}

void CConfigDlg::BuildGroups(int w) {
  const auto group = [this](const QString& title, QRect rect) {
    auto* box = new QGroupBox(title, Client());
    box->setGeometry(rect);
    box->lower();  // behind the controls placed over it
    box->show();
  };
  group(QStringLiteral("System Set"), EdgeRect(20, 40, w - 20, 165));
  group(QStringLiteral("Date format"), EdgeRect(20, 180, w - 20, 260));
  group(QStringLiteral("Search Option"), EdgeRect(20, 270, w - 20, 320));
  group(QStringLiteral("Recorder Set"), EdgeRect(20, 355, w - 20, 435));

  for (int i = 0; i < kBoxCount; ++i) {
    auto* box = new CMacCheckBox(QString::fromLatin1(kBoxes[i].text), kFirstBoxId + i, Client());
    box->SetTheme(Theme());
    if (i <= kCheckUpdate) {
      const int top = 60 + 20 * i;
      box->setGeometry(EdgeRect(35, top, w - 35, top + 18));
    } else if (i == kSearchCase) {
      box->setGeometry(EdgeRect(40, 290, 140, 308));
    } else {
      box->setGeometry(EdgeRect(155, 290, 260, 308));
    }
    box->show();
    boxes_[i] = box;
  }
}

void CConfigDlg::BuildLists(int w) {
  const auto label = [this](const QString& text, QRect rect) {
    auto* l = new QLabel(text, Client());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(rect);
    l->show();
    return l;
  };
  const auto list = [this, w](int top, const QStringList& items) {
    auto* combo = new QComboBox(Client());
    combo->addItems(items);
    combo->setGeometry(140, top, w - 40 - 140, kListHeight);
    combo->show();
    return combo;
  };
  // Each label is its list's buddy, which names the list for a screen reader.
  QLabel* l = label(QStringLiteral("Date format:"), EdgeRect(30, 202, 130, 216));
  dateFormat_ = list(200, {QStringLiteral("mm-dd-yyyy"), QStringLiteral("dd-mm-yyyy"), QStringLiteral("yyyy-mm-dd")});
  l->setBuddy(dateFormat_);
  l = label(QStringLiteral("Start day of week:"), EdgeRect(30, 232, 130, 246));
  weekStart_ = list(230, {QStringLiteral("Sunday"), QStringLiteral("Monday")});
  l->setBuddy(weekStart_);
  l = label(QStringLiteral("Sample Rate:"), EdgeRect(30, 375, 130, 388));
  sampleRate_ = list(375, {QStringLiteral("8000 Hz"), QStringLiteral("11025 Hz"), QStringLiteral("22050 Hz"),
                           QStringLiteral("44100 Hz")});
  l->setBuddy(sampleRate_);
  l = label(QStringLiteral("Bit Per Sample:"), EdgeRect(30, 405, 130, 423));
  bits_ = list(405, {QStringLiteral("8 Bit"), QStringLiteral("16 Bit")});
  l->setBuddy(bits_);
}

void CConfigDlg::BuildButtons(int w) {
  changePassword_ =
      AddButton(QStringLiteral("Change Password"), kChangePasswordId, EdgeRect(w - 150, 328, w - 20, 352));
  help_ = AddButton(QStringLiteral("&Help"), kHelpId, EdgeRect(w - 235, 448, w - 170, 471));
  ok_ = AddButton(QStringLiteral("&OK"), 1, EdgeRect(w - 160, 448, w - 95, 471));
  cancel_ = AddButton(QStringLiteral("&Cancel"), 2, EdgeRect(w - 85, 448, w - 20, 471));
  ok_->setDefault(true);
  pageButton_ = AddButton(QStringLiteral("&More >>"), kPageId, EdgeRect(20, 448, w - 245, 471));
}

ConfigSpellingPage* CConfigDlg::SpellingPage() {
  // Made when first shown: the first page alone needs no look at the dictionaries.
  if (!spellingPage_) {
    EnsureInitialized();
    spellingPage_ = new ConfigSpellingPage(spellingChoice_, spellingProblem_, Client());
    spellingPage_->setGeometry(0, 160, ClientSize().width(), 160);
    spellingPage_->setVisible(page_ == 1);
    pages_[1] << spellingPage_;
  }
  return spellingPage_;
}

void CConfigDlg::SetSpelling(const QString& choice, const QString& problem) {
  spellingChoice_ = choice;
  spellingProblem_ = problem;
}

void CConfigDlg::LoadControls() {
  for (int i = 0; i < kBoxCount; ++i) boxes_[i]->SetChecked(settings_.*kBoxes[i].member != 0);
  SelectIndex(dateFormat_, settings_.dateFormat);
  SelectIndex(weekStart_, settings_.weekStart - 1);
  SelectIndex(bits_, settings_.bitsPerSample % 8 == 0 ? settings_.bitsPerSample / 8 - 1 : -1);
  const QString rate = QStringLiteral("%1 Hz").arg(settings_.sampleRate);
  int rateIndex = -1;
  for (int i = 0; i < sampleRate_->count() && rateIndex < 0; ++i)
    if (sampleRate_->itemText(i).startsWith(rate)) rateIndex = i;
  sampleRate_->setCurrentIndex(rateIndex);
  snoozeMinutes_->setValue(extra_.integer(QStringLiteral("snooze_minutes")));
  notifications_->SetChecked(extra_.flag(QStringLiteral("notifications")));
  lateCancel_->setValue(extra_.integer(QStringLiteral("late_cancel_hours")));
  backupReminder_->setValue(extra_.integer(QStringLiteral("backup_reminder_days")));
  syncMinutes_->setValue(extra_.integer(QStringLiteral("sync_minutes")));
}

void CConfigDlg::OnCommand(int id) {
  switch (id) {
    case 1: OnOK(); break;
    case kHelpId: OpenHelpTopic(QLatin1String(help::kConfig), Theme(), this); break;
    case kPageId: ShowPage(1 - page_); break;
    case kServerId:
      if (serverSetup_) serverSetup_(this);
      break;
    case kChangePasswordId: {
      CChangePassDlg dlg(Theme(), this);
      dlg.exec();
      break;
    }
    default: CThemedDialog::OnCommand(id); break;
  }
}

void CConfigDlg::OnOK() {
  Settings edited = settings_;
  // A list with nothing selected (a value from the file that none of its
  // entries shows) keeps the value it had rather than storing a zero.
  if (sampleRate_->currentIndex() >= 0) {
    const QString text = sampleRate_->currentText();
    edited.sampleRate = std::atoi(text.left(text.indexOf(QStringLiteral(" Hz"))).toLatin1().constData());
  }
  if (bits_->currentIndex() >= 0) edited.bitsPerSample = bits_->currentIndex() * 8 + 8;
  for (int i = 0; i < kBoxCount; ++i) edited.*kBoxes[i].member = boxes_[i]->Checked() ? 1 : 0;
  if (weekStart_->currentIndex() >= 0) edited.weekStart = weekStart_->currentIndex() + 1;
  if (dateFormat_->currentIndex() >= 0) edited.dateFormat = dateFormat_->currentIndex();
  settings_ = edited;
  if (spellingPage_) spellingChoice_ = spellingPage_->Choice();
  StoreSecondPage();
  WriteRunValue();
  accept();
}

void CConfigDlg::StoreSecondPage() {
  // Only a changed value is set: an untouched default stays out of the file.
  const auto store = [this](const char* name, int value) {
    const QString key = QLatin1String(name);
    if (extra_.integer(key) != value) extra_.setInteger(key, value);
  };
  store("snooze_minutes", snoozeMinutes_->value());
  store("notifications", notifications_->Checked() ? 1 : 0);
  store("late_cancel_hours", lateCancel_->value());
  store("backup_reminder_days", backupReminder_->value());
  store("sync_minutes", syncMinutes_->value());
}

void CConfigDlg::WriteRunValue() const {
  CRegistryKey key;
  if (key.Open(RegistryRoot::LocalMachine, QString::fromLatin1(kRunKeyPath)) != 1) return;  // logged by the key
  const QString name = QString::fromUtf8(kProgramTitle);
  if (settings_.autorun) {
    const QByteArray command = AutorunCommand();
    key.SetString(name, command, static_cast<int>(command.size()));
  } else {
    key.DeleteValue(name);
  }
}

}  // namespace orlane
