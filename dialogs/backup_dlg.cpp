#include "dialogs/backup_dlg.h"

#include "backup/auto_backup.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/msg_box_dlg.h"
#include "dialogs/help_topic.h"
#include "platform/app_paths.h"
#include "security/edge_rect.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 232;
// How many backups at exit are kept.
constexpr int kKeptAtExit = 5;
}  // namespace

CBackupDlg::CBackupDlg(const QString& file, int theme, QWidget* parent, const BackupKdfCost& cost, bool atExit)
    : CWorkDialog(parent), offered_(file), cost_(cost), atExitOffered_(atExit) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Back up"));
}

CBackupDlg::~CBackupDlg() {
  StopWork();
}

QString CBackupDlg::File() const {
  return QFileInfo(file_ ? file_->text().trimmed() : offered_).absoluteFilePath();
}

void CBackupDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  BuildControls(ClientSize().width());
  passphrase_->setFocus();
}

void CBackupDlg::BuildControls(int w) {
  const auto label = [this](const QString& text, int top) {
    auto* l = new QLabel(text, Client());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(EdgeRect(10, top, 100, top + 20));
    l->show();
  };
  const auto edit = [this](int top, int right) {
    auto* e = new QLineEdit(Client());
    e->setGeometry(EdgeRect(110, top, right, top + 20));
    e->show();
    return e;
  };
  label(QStringLiteral("File:"), 38);
  file_ = edit(38, w - 50);
  file_->setText(offered_);
  label(QStringLiteral("Passphrase:"), 66);
  passphrase_ = edit(66, w - 20);
  label(QStringLiteral("Once more:"), 94);
  repeat_ = edit(94, w - 20);
  for (QLineEdit* e : {passphrase_, repeat_}) e->setEchoMode(QLineEdit::Password);
  AddButton(QStringLiteral("..."), kBrowseId, EdgeRect(w - 45, 38, w - 20, 58));
  atExit_ = new CMacCheckBox(QStringLiteral("Back up here at each exit too (last %1 kept).").arg(kKeptAtExit),
                             kAtExitId, Client());
  atExit_->SetTheme(Theme());
  atExit_->setGeometry(EdgeRect(20, 122, w - 20, 140));
  atExit_->SetChecked(atExitOffered_);
  atExit_->show();
  AddProgressBar(EdgeRect(20, 154, w - 20, 168));
  AddButton(QStringLiteral("&Help"), kHelpId, EdgeRect(w - 235, 182, w - 170, 205));
  backUp_ = AddButton(QStringLiteral("&Back up"), kBackUpId, EdgeRect(w - 160, 182, w - 95, 205));
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 182, w - 20, 205));
  backUp_->setDefault(true);
}

bool CBackupDlg::AtExitChosen() const {
  return atExit_ ? atExit_->Checked() : atExitOffered_;
}

int CBackupDlg::KeptAtExit() {
  return kKeptAtExit;
}

void CBackupDlg::OnCommand(int id) {
  if (id == kBackUpId && !Running())
    Start();
  else if (id == kBrowseId && !Running())
    Browse();
  else if (id == kHelpId)
    OpenHelpTopic(QLatin1String(help::kBackup), Theme(), this);
  else
    CWorkDialog::OnCommand(id);
}

void CBackupDlg::Browse() {
  const QString path = QFileDialog::getSaveFileName(this, QString(), file_->text(),
                                                    QStringLiteral("Orlane backups (*.orlbak);;All files (*)"));
  if (!path.isEmpty()) file_->setText(path);
}

void CBackupDlg::EnableInput(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{file_, passphrase_, repeat_, atExit_, backUp_}) w->setEnabled(on);
}

void CBackupDlg::Start() {
  if (file_->text().trimmed().isEmpty()) {
    ThemedNotice(QStringLiteral("Please name the file to write the backup to."), Theme(), this);
    return;
  }
  if (passphrase_->text().isEmpty()) {
    ThemedNotice(QStringLiteral("Please type a passphrase for the backup."), Theme(), this);
    return;
  }
  if (passphrase_->text() != repeat_->text()) {
    ThemedNotice(QStringLiteral("The two passphrases differ. Please type the same one twice."), Theme(), this);
    repeat_->clear();
    return;
  }
  const QString file = File();
  if (QFileInfo::exists(file) && ThemedQuestion(QStringLiteral("%1 exists. Replace it?").arg(file), Theme(), this) != 1)
    return;
  const QByteArray passphrase = passphrase_->text().toUtf8();
  if (atExit_->Checked() && !IsAutoBackupFolderAllowed(QFileInfo(file).absolutePath(), UserFolder())) {
    ThemedNotice(QStringLiteral("Backups at exit cannot go into the user folder. Please choose another folder."),
                 Theme(), this);
    return;
  }
  EnableInput(false);
  const QString& userFolder = UserFolder();
  const bool atExit = atExit_->Checked();
  atExitKey_.reset();
  StartWork([this, file, passphrase, userFolder, atExit](const Progress& progress) {
    report_ = CreateBackup(userFolder, file, passphrase, progress, cost_);
    if (report_.ok() && atExit) atExitKey_ = DeriveBackupPublicKey(passphrase, cost_);
  });
}

void CBackupDlg::WorkFinished() {
  ThemedNotice(BackupResultMessage(report_.result, report_.detail), Theme(), this);
  if (report_.ok() || report_.result == BackupResult::Cancelled) {
    done(report_.ok() ? QDialog::Accepted : QDialog::Rejected);
    return;
  }
  EnableInput(true);
}

}  // namespace orlane
