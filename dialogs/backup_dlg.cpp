#include "dialogs/backup_dlg.h"

#include "controls/bar_ctrl.h"
#include "controls/color_theme.h"
#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "platform/app_paths.h"
#include "security/edge_rect.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 206;
// The bar counts in these steps, so sizes beyond what an int holds fit.
constexpr qint64 kBarSteps = 1000;
}  // namespace

CBackupDlg::CBackupDlg(const QString& file, int theme, QWidget* parent, const BackupKdfCost& cost)
    : CThemedDialog(parent), offered_(file), cost_(cost) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Back up"));
  progressTimer_.setInterval(50);
  connect(&progressTimer_, &QTimer::timeout, this, &CBackupDlg::ShowProgress);
}

CBackupDlg::~CBackupDlg() {
  if (!worker_) return;
  cancelRequested_ = true;
  worker_->wait();
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
  const auto button = [this](const QString& text, int id, QRect rect) {
    auto* b = new CMacButton(text, id, Client());
    b->SetTheme(Theme());
    b->setFont(NormalFont());
    b->setGeometry(rect);
    connect(b, &CMacButton::commandClicked, this, &CBackupDlg::OnCommand);
    b->show();
    return b;
  };
  button(QStringLiteral("..."), kBrowseId, EdgeRect(w - 45, 38, w - 20, 58));
  bar_ = new CBarCtrl(EdgeRect(20, 128, w - 20, 142), Client());
  bar_->SetColor(ThemeColor(Theme(), kThemeShadow));
  bar_->SetRange(0, static_cast<int>(kBarSteps));
  bar_->show();
  backUp_ = button(QStringLiteral("&Back up"), kBackUpId, EdgeRect(w - 160, 156, w - 95, 179));
  button(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 156, w - 20, 179));
  backUp_->setDefault(true);
}

void CBackupDlg::OnCommand(int id) {
  switch (id) {
    case kBackUpId:
      if (!worker_) Start();
      break;
    case kBrowseId:
      if (!worker_) Browse();
      break;
    case kCloseButtonId:
      if (worker_)
        cancelRequested_ = true;  // Finish closes the window once the work has stopped
      else
        CThemedDialog::OnCommand(id);
      break;
    default: CThemedDialog::OnCommand(id); break;
  }
}

void CBackupDlg::Browse() {
  const QString path = QFileDialog::getSaveFileName(this, QString(), file_->text(),
                                                    QStringLiteral("Orlane backups (*.orlbak);;All files (*)"));
  if (!path.isEmpty()) file_->setText(path);
}

void CBackupDlg::EnableInput(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{file_, passphrase_, repeat_, backUp_}) w->setEnabled(on);
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
  EnableInput(false);
  done_ = 0;
  total_ = 1;
  cancelRequested_ = false;
  const QString& userFolder = UserFolder();
  worker_.reset(QThread::create([this, file, passphrase, userFolder] {
    report_ = CreateBackup(
        userFolder, file, passphrase,
        [this](qint64 done, qint64 total) {
          done_ = done;
          total_ = total;
          return !cancelRequested_.load();
        },
        cost_);
  }));
  connect(worker_.get(), &QThread::finished, this, &CBackupDlg::Finish, Qt::QueuedConnection);
  progressTimer_.start();
  worker_->start();
}

void CBackupDlg::ShowProgress() {
  const qint64 total = std::max<qint64>(1, total_.load());
  bar_->SetPos(static_cast<int>(std::min(total, done_.load()) * kBarSteps / total));
}

void CBackupDlg::Finish() {
  worker_->wait();
  worker_.reset();
  progressTimer_.stop();
  ShowProgress();
  ThemedNotice(BackupResultMessage(report_.result, report_.detail), Theme(), this);
  if (report_.ok() || report_.result == BackupResult::Cancelled) {
    done(report_.ok() ? QDialog::Accepted : QDialog::Rejected);
    return;
  }
  EnableInput(true);
}

void CBackupDlg::closeEvent(QCloseEvent* event) {
  if (worker_) {
    cancelRequested_ = true;
    event->ignore();
    return;
  }
  CThemedDialog::closeEvent(event);
}

void CBackupDlg::reject() {
  // Escape while the archive is written cancels it; the window closes when the work has stopped.
  if (worker_) {
    cancelRequested_ = true;
    return;
  }
  CThemedDialog::reject();
}

}  // namespace orlane
